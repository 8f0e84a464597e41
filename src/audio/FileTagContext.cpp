#include "audio/FileTagContext.h"

#include "app/Feedback.h"

namespace sonorelle {

QString FileTagContext::text(const QString& key) const
{
    return TextOr(texts, key, QString());
}

void FileTagContext::reportError(const QString& message) const
{
    feedback.message(message, TextOr(texts, QStringLiteral("msgcap1"), QStringLiteral("Sonorelle")),
                     MessageIcon::Critical);
}

void FileTagContext::reportKey(const QString& key) const
{
    reportError(TextOr(texts, key, key));
}

}  // namespace sonorelle
