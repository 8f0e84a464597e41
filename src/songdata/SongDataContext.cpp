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

}  // namespace sonorelle
