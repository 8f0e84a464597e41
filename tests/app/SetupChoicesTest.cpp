#include "support/StartupFixture.h"

#include "app/SettingsKeys.h"

namespace sonorelle::test {
namespace {

class Setup : public StartupFixture {
protected:
    Setup()
    {
        shared.ProgramDir = programDir();
        units.fill({CdUnit{QStringLiteral("Drive A"), QStringLiteral("/dev/a"), false, {}},
                    CdUnit{QStringLiteral("Drive B"), QStringLiteral("/dev/b"), false, {}}});
        writeLanguage(QStringLiteral("program/languages/deutsch.LNG"), QStringLiteral("Deutsch"),
                      {{QStringLiteral("LngBtnClose"), QStringLiteral("Schliessen")}});
        writeLanguage(QStringLiteral("program/languages/notes.txt"), QStringLiteral("Not offered"));
        writeLanguage(QStringLiteral("program/languages/Zulu.lng"), QStringLiteral("isiZulu"));
    }
};

TEST_F(Setup, OffersEveryFileEndingInLngWhateverItsCase)
{
    set(SettingsKeys::Language, QString());
    ASSERT_TRUE(setup.load());
    QStringList names;
    for (const LanguageFileInfo& file : setup.languages())
        names.append(file.Language);
    EXPECT_EQ(names, (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English"), QStringLiteral("isiZulu")}));
}

TEST_F(Setup, LoadSelectsTheStoredLanguageIgnoringCaseAndEveryChoiceIsStored)
{
    const QString zulu = programDir() + QStringLiteral("/languages/Zulu.lng");
    set(SettingsKeys::Language, zulu.toUpper());
    units.select(1);
    ASSERT_TRUE(setup.load());
    EXPECT_EQ(setup.languageIndex(), 2);
    EXPECT_EQ(setting(SettingsKeys::Language), zulu);
    EXPECT_EQ(shared.LangName, QStringLiteral("isiZulu"));
    EXPECT_EQ(texts.file(), zulu);
    EXPECT_EQ(setup.driveIndex(), 1);
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QStringLiteral("1"));

    // Later choices apply and store at once.
    host.calls.clear();
    setup.chooseLanguage(0);
    const QString deutsch = programDir() + QStringLiteral("/languages/deutsch.LNG");
    EXPECT_EQ(host.calls, QStringList{QStringLiteral("ApplyLanguage ") + deutsch});
    EXPECT_EQ(texts.text(QStringLiteral("LngBtnClose")), QStringLiteral("Schliessen"));

    setup.chooseDrive(0);
    EXPECT_EQ(units.selection(), 0);
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QStringLiteral("0"));
    setup.chooseDrive(2);  // not in the list: nothing changes
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QStringLiteral("0"));
}

}  // namespace
}  // namespace sonorelle::test
