#include "lang/LanguageTexts.h"

#include "lang/LanguageTable.h"
#include "platform/IniFile.h"

namespace sonorelle {

const QStringList& LanguageTexts::keys()
{
    return LanguageTable::allKeys();
}

void LanguageTexts::load(const QString& languageFile)
{
    file_ = languageFile;
    texts_.clear();
    // Nothing to read: an empty name would only make the file layer complain.
    if (languageFile.isEmpty())
        return;
    texts_ = ReadIniSection(languageFile, QStringLiteral("Translate"));
}

QString LanguageTexts::text(const QString& key) const
{
    return texts_.value(key.trimmed().toCaseFolded());
}

QString LanguageTexts::caption(const CaptionEntry& entry) const
{
    const QString shown = text(entry.key);
    return entry.withColon ? shown + QLatin1Char(':') : shown;
}

QString LanguageTexts::textOr(const QString& key, const QString& fallback) const
{
    const QString found = text(key);
    return found.isEmpty() ? fallback : found;
}

QString LanguageTexts::messageCaption() const
{
    return textOr(QStringLiteral("msgcap1"), QStringLiteral("Sonorelle"));
}

QString LanguageTexts::missingFileText() const
{
    return textOr(QStringLiteral("msg8_1"), QStringLiteral("Error: can not find"));
}

}  // namespace sonorelle
