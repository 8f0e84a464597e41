#include "platform/GameInstallations.h"
#include "platform/GameRunCommand.h"
#include "platform/MachineValueScanner.h"
#include "platform/ValveKeyValues.h"
#include "platform/YamlScalars.h"
#include "support/FakeWineHome.h"
#include "support/FileBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::FakeWineHome;

const QString gameKey = QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09");
const QString installDir = QStringLiteral("Install Dir");

QString gameIn(const QString& prefix)
{
    return prefix + QStringLiteral("/drive_c/Games/Kickvale 09/");
}

// One home holding every kind of prefix, some twice through links.
class EveryKindOfPrefix : public ::testing::Test {
protected:
    void SetUp() override
    {
        home.addPrefix(QStringLiteral(".wine"));
        const QString steam = QStringLiteral(".local/share/Steam");
        home.write(steam + QStringLiteral("/steamapps/libraryfolders.vdf"),
                   "\"libraryfolders\"\n{\n  \"0\"\n  {\n    \"path\"  \"" + home.path(steam).toUtf8() +
                       "\"\n    \"apps\" { \"2400\" \"1\" }\n  }\n  // second disk\n  \"1\"\n  {\n"
                       "    \"path\"  \"" + home.path(QStringLiteral("disk2/Steam \\\"Library\\\"")).toUtf8() +
                       "\"\n  }\n}\n");
        home.write(steam + QStringLiteral("/steamapps/appmanifest_2400.acf"),
                   "\"AppState\"\n{\n\t\"appid\"\t\t\"2400\"\n\t\"name\"\t\t\"Kickvale 09\"\n}\n");
        home.addPrefix(steam + QStringLiteral("/steamapps/compatdata/2400/pfx"));
        home.addPrefix(steam + QStringLiteral("/steamapps/compatdata/not-a-number/pfx"));
        home.addPrefix(QStringLiteral("disk2/Steam \"Library\"/steamapps/compatdata/3912000000/pfx"),
                       FakeWineHome::View::Plain);
        QDir().mkpath(home.path(QStringLiteral(".steam")));
        QFile::link(home.path(steam), home.path(QStringLiteral(".steam/steam")));
        home.write(QStringLiteral(".config/lutris/games/kickvale-09-1700000000.yml"),
                   "game:\n  exe: drive_c/Games/Kickvale 09/kickvale09.exe\n"
                   "  prefix: '~/Games/kickvale 09'   # made by the installer\nsystem: {}\nwine:\n  version: lutris-7\n");
        home.addPrefix(QStringLiteral("Games/kickvale 09"));
        home.write(QStringLiteral(".local/share/lutris/games/doom-1.yml"), "game:\n  main_file: doom.wad\n");
        home.write(QStringLiteral(".local/share/bottles/bottles/Kickvale/bottle.yml"),
                   "Arch: win64\nName: \"Kick \\u00e9 Bottle\"\nPath: Kickvale\n");
        home.addPrefix(QStringLiteral(".local/share/bottles/bottles/Kickvale"));
        home.addPrefix(QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles/Games"),
                       FakeWineHome::View::Plain);
        home.addPrefix(QStringLiteral(".PlayOnLinux/wineprefix/Kickvale09"));
        home.write(QStringLiteral(".PlayOnLinux/wineprefix/Notepad/system.reg"),
                   "WINE REGISTRY Version 2\n[Software\\\\Notepad] 1\n");
    }

    FakeWineHome home;
    GameInstallations finder{gameKey, installDir};
};

GameInstallation expected(PrefixManager manager, const QString& name, const QString& prefix)
{
    GameInstallation game;
    game.manager = manager;
    game.prefixName = name;
    game.prefixPath = prefix;
    game.gameFolder = gameIn(prefix);
    return game;
}

TEST_F(EveryKindOfPrefix, EachIsFoundOnceInAStableOrder)
{
    GameInstallation steamGame = expected(PrefixManager::Steam, QStringLiteral("Kickvale 09"),
                                          home.path(QStringLiteral(".steam/steam/steamapps/compatdata/2400/pfx")));
    steamGame.steamAppId = QStringLiteral("2400");
    steamGame.steamGame = true;
    const QString added = home.path(QStringLiteral("disk2/Steam \"Library\"/steamapps/compatdata/3912000000/pfx"));
    GameInstallation steamAdded = expected(PrefixManager::Steam, QStringLiteral("3912000000"), added);
    steamAdded.steamAppId = QStringLiteral("3912000000");
    GameInstallation lutris = expected(PrefixManager::Lutris, QStringLiteral("kickvale-09"),
                                       home.path(QStringLiteral("Games/kickvale 09")));
    lutris.lutrisSlug = QStringLiteral("kickvale-09");
    GameInstallation bottle = expected(PrefixManager::Bottles, QString::fromUtf8("Kick é Bottle"),
                                       home.path(QStringLiteral(".local/share/bottles/bottles/Kickvale")));
    bottle.bottleName = bottle.prefixName;
    GameInstallation flatpakBottle = expected(
        PrefixManager::Bottles, QStringLiteral("Games"),
        home.path(QStringLiteral(".var/app/com.usebottles.bottles/data/bottles/bottles/Games")));
    flatpakBottle.bottleName = QStringLiteral("Games");
    flatpakBottle.flatpak = true;
    const QList<GameInstallation> all = {
        expected(PrefixManager::Wine, QStringLiteral(".wine"), home.path(QStringLiteral(".wine"))),
        steamGame, steamAdded, lutris, bottle, flatpakBottle,
        expected(PrefixManager::PlayOnLinux, QStringLiteral("Kickvale09"),
                 home.path(QStringLiteral(".PlayOnLinux/wineprefix/Kickvale09"))),
    };

    const GameInstallations::Result result = finder.find(home.environment());
    EXPECT_EQ(result.installations, all);
    ASSERT_EQ(result.skipped.size(), 1);
    EXPECT_EQ(result.skipped[0].prefixPath, home.path(QStringLiteral(".PlayOnLinux/wineprefix/Notepad")));
    EXPECT_TRUE(result.skipped[0].reason.contains(QStringLiteral("not installed")));
    EXPECT_EQ(finder.find(home.environment()).installations, result.installations) << "the same from the kept answers";

    steamAdded.gameFolder.clear();
    EXPECT_EQ(GameInstallations::describePrefix(added + u'/', home.environment()), steamAdded);
    EXPECT_EQ(GameInstallations::describePrefix(home.path(QStringLiteral("elsewhere")), home.environment()).manager,
              PrefixManager::Wine);
}

TEST(GameInstallationsTest, HomeWithoutPrefixesOrWithBrokenOnesFindsNothingAndSaysWhy)
{
    FakeWineHome home;
    GameInstallations finder(gameKey, installDir);
    const GameInstallations::Result empty = finder.find(home.environment());
    EXPECT_TRUE(empty.installations.isEmpty());
    EXPECT_TRUE(empty.skipped.isEmpty());

    const QList<std::pair<const char*, QByteArray>> broken = {
        {"damaged", QByteArray()},
        {"names no folder", FakeWineHome::systemReg(QStringLiteral("C:"), FakeWineHome::View::Plain)},
        {"does not exist", FakeWineHome::systemReg(QStringLiteral("D:\\Gone"), FakeWineHome::View::Plain)},
        {"no system.reg", {}},
    };
    for (qsizetype i = 0; i < broken.size(); ++i) {
        const QString prefix = QStringLiteral(".PlayOnLinux/wineprefix/%1").arg(i);
        if (i + 1 < broken.size())
            home.write(prefix + QStringLiteral("/system.reg"), broken[i].second);
        else
            QDir().mkpath(home.path(prefix));
    }
    const GameInstallations::Result result = finder.find(home.environment());
    EXPECT_TRUE(result.installations.isEmpty());
    ASSERT_EQ(result.skipped.size(), broken.size());
    for (qsizetype i = 0; i < broken.size(); ++i)
        EXPECT_TRUE(result.skipped[i].reason.contains(QLatin1String(broken[i].first)))
            << result.skipped[i].reason.toStdString();
}

TEST(MachineValueScannerTest, ReadsTheFirstViewThatHoldsTheValue)
{
    const QByteArray head = "WINE REGISTRY Version 2\n";
    const QByteArray wow = "[Software\\\\Wow6432Node\\\\Ostravel\\\\Kickvale 09] 1\n";
    const QByteArray plain = "[Software\\\\Ostravel\\\\Kickvale 09] 1\n";
    using Answer = MachineValueScanner::Answer;
    const QList<std::tuple<const char*, QByteArray, Answer::Status, QString>> cases = {
        {"32-bit view wins wherever it stands", head + "[System\\\\A] 1\n" + wow + "\"Install Dir\"=\"wow\"\n" + plain +
                                                    "\"Install Dir\"=\"plain\"\n",
         Answer::Found, QStringLiteral("wow")},
        {"plain view when the 32-bit key lacks the value",
         head + plain + "\"Install Dir\"=\"plain\"\n" + wow + "\"Other\"=\"x\"\n", Answer::Found, QStringLiteral("plain")},
        {"first complete match counts", head + wow + "\"Install Dir\"=\"first\"\n" + wow + "\"Install Dir\"=\"second\"\n",
         Answer::Found, QStringLiteral("first")},
        {"names compare without case, doubled separators, escapes",
         head + "  [software\\\\\\\\WOW6432NODE\\\\Ostravel\\\\Kickvale\\x20\\x30\\x39\\\\] 1\r\n"
                "\"install dir\"=\"C:\\\\K\\xe9\"\r\n",
         Answer::Found, QString::fromUtf8("C:\\Ké")},
        {"another type reads empty", head + wow + "\"Install Dir\"=dword:00000001\n", Answer::Found, QString()},
        {"continued hex lines stay in the section",
         head + wow + "\"Bin\"=hex:01,\\\n  [02\n\"Install Dir\"=\"after\"\n", Answer::Found, QStringLiteral("after")},
        {"key of a longer name", head + "[Software\\\\Ostravel\\\\Kickvale 09 Demo] 1\n\"Install Dir\"=\"x\"\n",
         Answer::Missing, QString()},
        {"no header", "REGEDIT4\n" + wow + "\"Install Dir\"=\"x\"\n", Answer::Damaged, QString()},
    };
    QTemporaryDir dir;
    const MachineValueScanner scanner(gameKey, installDir);
    for (qsizetype i = 0; i < cases.size(); ++i) {
        const auto& [what, bytes, status, text] = cases[i];
        const QString path = dir.filePath(QStringLiteral("%1.reg").arg(i));
        test::WriteFile(path, bytes);
        const Answer answer = scanner.scan(path);
        EXPECT_EQ(answer.status, status) << what;
        EXPECT_EQ(answer.text, text) << what;
    }
    EXPECT_EQ(scanner.scan(dir.filePath(QStringLiteral("missing.reg"))).status, Answer::Unreadable);
}

TEST(ConfigTextTest, SteamKeyValuesAndYamlScalarsAreReadAsTheirFormatsSay)
{
    const QList<ValveKeyValue> values = ReadValveKeyValues(
        "// comment\n\"root\" { \"a\" \"1\" [$WIN32] \"b\" { bare \"x\\\\y\" } }\n\"1\" \"old style\"\n\"broken\" { \"c\"");
    ASSERT_EQ(values.size(), 3);
    EXPECT_EQ(values[0].keys, (QStringList{QStringLiteral("root"), QStringLiteral("a")}));
    EXPECT_EQ(values[1].keys, (QStringList{QStringLiteral("root"), QStringLiteral("b"), QStringLiteral("bare")}));
    EXPECT_EQ(values[1].value, QStringLiteral("x\\y"));
    EXPECT_EQ(values[2].value, QStringLiteral("old style"));

    const QByteArray yaml = "# config\nname: Kick # off\ngame:\n  args: |\n    prefix: wrong\n"
                            "  prefix: \"/p\\tq\"\n  list:\n  - prefix: also wrong\nother:\n  prefix: 'it''s'\n"
                            "nothing: ~\n";
    const QList<std::pair<QStringList, QString>> lookups = {
        {{QStringLiteral("name")}, QStringLiteral("Kick")},
        {{QStringLiteral("game"), QStringLiteral("prefix")}, QStringLiteral("/p\tq")},
        {{QStringLiteral("other"), QStringLiteral("prefix")}, QStringLiteral("it's")},
        {{QStringLiteral("prefix")}, {}},
        {{QStringLiteral("nothing")}, {}},
    };
    for (const auto& [keys, value] : lookups)
        EXPECT_EQ(FindYamlScalar(yaml, keys), value) << keys.join(u'.').toStdString();
}

TEST(GameRunCommandTest, EachManagerRunsTheGameItsOwnWay)
{
    FakeWineHome home;
    const QString prefix = home.addPrefix(QStringLiteral("pfx"));
    const QString exe = gameIn(prefix) + QStringLiteral("KICKVALE09.EXE");
    const auto game = [&](PrefixManager manager, bool flatpak = false, bool steamGame = false) {
        GameInstallation installation = expected(manager, QStringLiteral("n"), prefix);
        installation.flatpak = flatpak;
        installation.steamGame = steamGame;
        installation.steamAppId = QStringLiteral("2400");
        installation.lutrisSlug = QStringLiteral("kick-09");
        installation.bottleName = QStringLiteral("My Bottle");
        return installation;
    };
    const QStringList wine{exe};
    const QStringList bottle{QStringLiteral("run"), QStringLiteral("-b"), QStringLiteral("My Bottle"), QStringLiteral("-e"), exe};
    const QList<std::tuple<GameInstallation, QString, QStringList>> cases = {
        {game(PrefixManager::Steam), QStringLiteral("wine"), wine},
        {game(PrefixManager::Steam, false, true), QStringLiteral("steam"), {QStringLiteral("steam://rungameid/2400")}},
        {game(PrefixManager::Steam, true, true), QStringLiteral("flatpak"),
         {QStringLiteral("run"), QStringLiteral("com.valvesoftware.Steam"), QStringLiteral("steam://rungameid/2400")}},
        {game(PrefixManager::Lutris), QStringLiteral("lutris"), {QStringLiteral("lutris:rungame/kick-09")}},
        {game(PrefixManager::Bottles), QStringLiteral("bottles-cli"), bottle},
        {game(PrefixManager::Bottles, true), QStringLiteral("flatpak"),
         QStringList{QStringLiteral("run"), QStringLiteral("--command=bottles-cli"),
                     QStringLiteral("com.usebottles.bottles")} + bottle},
    };
    const QString executable = QStringLiteral("kickvale09.exe");
    for (const auto& [installation, runner, arguments] : cases) {
        SCOPED_TRACE(runner.toStdString() + ' ' + PrefixManagerName(installation.manager).toStdString());
        const GameRunCommand missing = GameRunCommand::forGame(installation, executable, home.environment());
        EXPECT_EQ(missing.missing, runner);
        EXPECT_TRUE(missing.program.isEmpty());

        test::WriteScript(home.path(QStringLiteral("bin/") + runner), "#!/bin/sh\n");
        const GameRunCommand command = GameRunCommand::forGame(installation, executable, home.environment());
        QFile::remove(home.path(QStringLiteral("bin/") + runner));
        EXPECT_EQ(command.program, home.path(QStringLiteral("bin/") + runner));
        EXPECT_TRUE(command.missing.isEmpty());
        EXPECT_EQ(command.arguments, arguments);
        EXPECT_EQ(command.workingFolder, gameIn(prefix));
        EXPECT_EQ(command.environment.value(QStringLiteral("WINEPREFIX")), runner == u"wine" ? prefix : QString());
    }
}

}  // namespace
}  // namespace sonorelle
