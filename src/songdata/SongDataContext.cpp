#include "songdata/SongDataContext.h"

#include "app/Feedback.h"
#include "app/SharedValues.h"

namespace sonorelle {

AudioFolder SongDataContext::audioFolder() const
{
    return AudioFolder(shared.GameAudioDir);
}

void SongDataContext::reportError(const QString& text) const
{
    feedback.message(text, TextOr(texts, QStringLiteral("msgcap1"), QStringLiteral("Sonorelle")),
                     MessageIcon::Critical);
}

void SongDataContext::reportKey(const QString& key) const
{
    reportError(TextOr(texts, key, key));
}

void SongDataContext::reportTooShort(const QString& designation) const
{
    reportError(TextOr(texts, QStringLiteral("msg9_1"), {}) + designation + TextOr(texts, QStringLiteral("msg9_2"), {}));
}

}  // namespace sonorelle
