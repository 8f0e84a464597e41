#include "lang/LanguageTexts.h"

#include "platform/IniFile.h"

namespace sonorelle {

const QStringList& LanguageTexts::keys()
{
    static const QStringList all = {
        // captions
        QStringLiteral("LngBtnLblAbout"), QStringLiteral("LngBtnOptions"),
        QStringLiteral("LngBtnLblExit"), QStringLiteral("LngBtnLblRunGame"),
        QStringLiteral("LngFrameTrack"), QStringLiteral("LngBtnAdd"), QStringLiteral("LngBtnDel"),
        QStringLiteral("LngFrameFail"), QStringLiteral("LngBtnPlay"), QStringLiteral("LngBtnStop"),
        QStringLiteral("LngFrameInfoFail"), QStringLiteral("LngFrameInfoTrek"),
        QStringLiteral("LngLabelNazvan"), QStringLiteral("LngLabelIspol"),
        QStringLiteral("LngLabelAlbom"), QStringLiteral("LngLabelGod"),
        QStringLiteral("LngLabelKomment"), QStringLiteral("LngBtnTagSav"), QStringLiteral("About"),
        QStringLiteral("LanguageCap"), QStringLiteral("TranslateCap"), QStringLiteral("SiteCap"),
        QStringLiteral("MailCap"), QStringLiteral("VersionCap"), QStringLiteral("LngBtnClose"),
        QStringLiteral("LngBtnLoad"), QStringLiteral("LngBtnSelectAll"),
        QStringLiteral("LngBtnDeSelect"), QStringLiteral("LngBtnSort"), QStringLiteral("LngPerevod"),
        // messages
        QStringLiteral("msg1"), QStringLiteral("msg2"), QStringLiteral("msg4"), QStringLiteral("msg6"),
        QStringLiteral("msg7_1"), QStringLiteral("msg7_2"), QStringLiteral("msg8_1"),
        QStringLiteral("msg8_3"), QStringLiteral("msg9_1"), QStringLiteral("msg9_2"),
        QStringLiteral("msg9_3"), QStringLiteral("msg12"), QStringLiteral("msgcap1"),
        // status lines
        QStringLiteral("sost1"), QStringLiteral("sost2"), QStringLiteral("sost3"),
        QStringLiteral("sost4"), QStringLiteral("sost5"), QStringLiteral("sost6"),
        QStringLiteral("sost7"), QStringLiteral("sost8"),
    };
    return all;
}

void LanguageTexts::load(const QString& languageFile)
{
    file_ = languageFile;
    texts_.clear();
    for (const QString& key : keys())
        texts_.insert(key, ReadIni(languageFile, QStringLiteral("Translate"), key));
}

QString LanguageTexts::text(const QString& key) const
{
    return texts_.value(key);
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
