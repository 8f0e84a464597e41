#include "lang/LanguageTable.h"

namespace sonorelle {

namespace {

CaptionEntry Caption(LanguageWindow window, const char* control, const char* key)
{
    return {window, QString::fromLatin1(control), QString::fromLatin1(key), false};
}

CaptionEntry FieldCaption(LanguageWindow window, const char* control, const char* key)
{
    return {window, QString::fromLatin1(control), QString::fromLatin1(key), true};
}

QList<CaptionEntry> BuildCaptions()
{
    using enum LanguageWindow;
    return {
        // Banner labels, button strips and tag panels of the main window.
        Caption(Main, "Label3", "LngBtnLblAbout"),
        Caption(Main, "Label5", "LngBtnOptions"),
        Caption(Main, "Label13", "LngBtnLblExit"),
        Caption(Main, "Label14", "LngBtnLblRunGame"),
        Caption(Main, "Frame1", "LngFrameTrack"),
        Caption(Main, "Command1", "LngBtnAdd"),
        Caption(Main, "Command8", "LngBtnDel"),
        Caption(Main, "Frame2", "LngFrameFail"),
        Caption(Main, "Command2", "LngBtnPlay"),
        Caption(Main, "Command9", "LngBtnPlay"),
        Caption(Main, "Command10", "LngBtnStop"),
        Caption(Main, "Command11", "LngBtnStop"),
        Caption(Main, "Frame4", "LngFrameInfoFail"),
        Caption(Main, "Frame3", "LngFrameInfoTrek"),
        FieldCaption(Main, "Label11", "LngLabelNazvan"),
        FieldCaption(Main, "label1", "LngLabelNazvan"),
        FieldCaption(Main, "Label12", "LngLabelIspol"),
        FieldCaption(Main, "Label2", "LngLabelIspol"),
        FieldCaption(Main, "Label9", "LngLabelAlbom"),
        FieldCaption(Main, "Label10", "LngLabelAlbom"),
        FieldCaption(Main, "Label8", "LngLabelGod"),
        FieldCaption(Main, "Label4", "LngLabelGod"),
        FieldCaption(Main, "Label7", "LngLabelKomment"),
        FieldCaption(Main, "Label6", "LngLabelKomment"),
        Caption(Main, "Command4", "LngBtnTagSav"),
        Caption(Main, "Command5", "LngBtnTagSav"),

        // The status line the progress window shows until a step sets another.
        Caption(Progress, "lblSost", "sost6"),

        Caption(Setup, "", "LngBtnOptions"),
        FieldCaption(Setup, "Frame2", "LanguageCap"),
        FieldCaption(Setup, "label1", "TranslateCap"),
        FieldCaption(Setup, "Label3", "SiteCap"),
        FieldCaption(Setup, "Label5", "MailCap"),
        FieldCaption(Setup, "Label7", "VersionCap"),
        Caption(Setup, "Frame1", "CdDriveCap"),
        Caption(Setup, "FrameGame", "GameCap"),
        Caption(Setup, "Command1", "LngBtnClose"),

        Caption(About, "", "About"),

        Caption(Playlist, "Command2", "LngBtnLblExit"),
        Caption(Playlist, "Command3", "LngBtnAdd"),
        Caption(Playlist, "Command4", "LngBtnPlay"),
        Caption(Playlist, "Command5", "LngBtnStop"),
        Caption(Playlist, "Command1", "LngBtnLoad"),
        Caption(Playlist, "Command6", "LngBtnSelectAll"),
        Caption(Playlist, "Command7", "LngBtnDeSelect"),
        Caption(Playlist, "Command8", "LngBtnSort"),
    };
}

QList<CaptionEntry> BuildToolTips()
{
    using enum LanguageWindow;
    // The picture buttons have no caption to say what they do.
    return {
        Caption(Main, "Command18", "tipMoveUp"),
        Caption(Main, "Command19", "tipMoveDown"),
        Caption(Main, "Command20", "tipShuffle"),
    };
}

}  // namespace

const QList<CaptionEntry>& LanguageTable::toolTips()
{
    static const QList<CaptionEntry> all = BuildToolTips();
    return all;
}

const QList<CaptionEntry>& LanguageTable::captions()
{
    static const QList<CaptionEntry> all = BuildCaptions();
    return all;
}

const QList<LanguageWindow>& LanguageTable::windows()
{
    static const QList<LanguageWindow> order = {LanguageWindow::Main, LanguageWindow::Progress, LanguageWindow::Setup,
                                                LanguageWindow::About, LanguageWindow::Playlist};
    return order;
}

QString LanguageTable::windowName(LanguageWindow window)
{
    switch (window) {
    case LanguageWindow::Main:
        return QStringLiteral("Form1");
    case LanguageWindow::Progress:
        return QStringLiteral("frmProgress");
    case LanguageWindow::Setup:
        return QStringLiteral("Form2");
    case LanguageWindow::About:
        return QStringLiteral("frmAbout");
    case LanguageWindow::Playlist:
        return QStringLiteral("frmWinAmp");
    }
    return {};
}

const QStringList& LanguageTable::keptKeys()
{
    static const QStringList kept = {
        QStringLiteral("msg1"),   QStringLiteral("msg2"),   QStringLiteral("msg4"),   QStringLiteral("msg6"),
        QStringLiteral("msg7_1"), QStringLiteral("msg7_2"), QStringLiteral("msg8_1"), QStringLiteral("msg8_3"),
        QStringLiteral("msg9_1"), QStringLiteral("msg9_2"), QStringLiteral("msg9_3"), QStringLiteral("msg12"),
        QStringLiteral("msgcap1"), QStringLiteral("sost1"), QStringLiteral("sost2"),  QStringLiteral("sost3"),
        QStringLiteral("sost4"),  QStringLiteral("sost5"),  QStringLiteral("sost6"),  QStringLiteral("sost7"),
        QStringLiteral("sost8"),  QStringLiteral("LngPerevod"),
        // Messages of this program's own, for failures the original passed over in silence.
        QStringLiteral("msgListNotWritten"), QStringLiteral("msgListNotArchived"), QStringLiteral("msgStreamMissing"),
        QStringLiteral("msgTagNotWritten"), QStringLiteral("msgNotTrashed"), QStringLiteral("msgFileTagNotWritten"),
        QStringLiteral("msgWineMissing"), QStringLiteral("msgGameMissing"), QStringLiteral("msgGameNotStarted"),
        QStringLiteral("msgBusy"), QStringLiteral("msgTagCodePage"), QStringLiteral("msgRunnerMissing"),
        QStringLiteral("msgNotTaggable"), QStringLiteral("msgFileMissing"), QStringLiteral("msgFileUnreadable"),
        QStringLiteral("msgCliSetupMissing"), QStringLiteral("NoCdDrive"), QStringLiteral("tipBusy"),
        QStringLiteral("msgGameBusy"), QStringLiteral("msgListChanged"),
    };
    return kept;
}

const QStringList& LanguageTable::allKeys()
{
    static const QStringList all = [] {
        QStringList keys;
        const auto add = [&keys](const QString& key) {
            if (!keys.contains(key))
                keys.append(key);
        };
        for (const CaptionEntry& caption : captions())
            add(caption.key);
        for (const CaptionEntry& tip : toolTips())
            add(tip.key);
        for (const QString& key : keptKeys())
            add(key);
        return keys;
    }();
    return all;
}

}  // namespace sonorelle
