#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QDir>

namespace sonorelle::test {
namespace {

using CliErrors = CliFixture;

const QStringList FourStreams{QStringLiteral("s01"), QStringLiteral("s02"), QStringLiteral("s03"),
                              QStringLiteral("s04")};

TEST_F(CliErrors, AWrongCommandLineShowsTheUsageAndTouchesNothing)
{
    const QList<QStringList> wrong = {
        {},
        {QStringLiteral("play")},
        {QStringLiteral("list"), QStringLiteral("0")},
        {QStringLiteral("up")},
        {QStringLiteral("delete"), QStringLiteral("first")},
        {QStringLiteral("tags"), QStringLiteral("0"), QStringLiteral("only a title")},
        {QStringLiteral("setfiletags"), QStringLiteral("song.mp3"), QStringLiteral("only a title")},
    };
    for (const QStringList& arguments : wrong) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        cli(arguments).expectFailure(2, QStringLiteral("usage: sonorelle-cli"));
    }
    // Start-up never ran: it would have stored the language.
    EXPECT_EQ(setting(SettingsKeys::Language), QString());

    const Run help = cli({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("tags N TITLE ARTIST ALBUM YEAR COMMENT")));
}

TEST_F(CliErrors, AnIndexThatIsNoSongIsAnErrorAndChangesNothing)
{
    const QList<QStringList> outside = {
        {QStringLiteral("show"), QStringLiteral("4")},
        {QStringLiteral("up"), QStringLiteral("-1")},
        {QStringLiteral("delete"), QStringLiteral("4")},
        {QStringLiteral("tags"), QStringLiteral("99"), QStringLiteral("t"), QStringLiteral("a"), QStringLiteral("b"),
         QStringLiteral("2009"), QStringLiteral("c")},
    };
    for (const QStringList& arguments : outside) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        cli(arguments).expectFailure(1, QStringLiteral("is not a song of the list: it holds 4, numbered 0 to 3"));
    }
    EXPECT_EQ(archivedStreams(), FourStreams);
    EXPECT_FALSE(QDir(home.filePath(QStringLiteral("data/Trash"))).exists());
}

TEST_F(CliErrors, AMissingGameEndsStartUpWithTheFatalMessage)
{
    QTemporaryDir emptyPrefix;
    cli({QStringLiteral("list")}, {{QStringLiteral("WINEPREFIX"), emptyPrefix.path()}})
        .expectFailure(1, QStringLiteral("Critical Error: Error: can not find Kickvale 09 install folder!\n"));
}

TEST_F(CliErrors, WithoutTheSetupItSaysHowToDoItAndStoresNoChoice)
{
    set(SettingsKeys::CDDrive, QString());
    cli({QStringLiteral("list")})
        .expectFailure(1, QStringLiteral("sonorelle-reg set 'HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvitane\\Sonorelle' CDDrive 0"));
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QString());
    EXPECT_EQ(setting(SettingsKeys::Language), QString());
}

TEST_F(CliErrors, AListThatCannotBeSavedIsAnErrorAndTheOrderStays)
{
    // Taking the list out works; putting it back fails.
    useProgramFolder(QStringLiteral("#!/bin/sh\n"
                                    "[ \"$1\" = -e ] && exec '%1/addon2' \"$@\"\n"
                                    "echo 'addon2: the archive is locked' >&2\n"
                                    "exit 1\n")
                         .arg(BinDir())
                         .toUtf8());
    const Run run = cli({QStringLiteral("up"), QStringLiteral("2")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("addon2: the archive is locked"))) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("1\n"));
    EXPECT_EQ(game->listedStreams(), FourStreams);
}

TEST_F(CliErrors, MessagesComeInTheStoredLanguage)
{
    useSongs({GameFixture::song(QStringLiteral("s01")),
              GameFixture::song(QStringLiteral("s02"), QStringLiteral("A"), QStringLiteral("T"), 100)});
    const QString program = useProgramFolder();
    const QString german = program + QStringLiteral("/languages/Deutsch.lng");
    WriteFile(german, "[Global]\nLanguage=Deutsch\n[Translate]\nmsgcap1=Sonorelle meldet\n"
                      "msg9_1=Zu kurz f\xc3\xbcr Tags: [\nmsg9_2=] besch\xc3\xa4" "digt\n");
    set(SettingsKeys::Language, german);

    // The stream of 100 bytes is reported by the list load and again by show.
    const Run run = cli({QStringLiteral("show"), QStringLiteral("1")});
    EXPECT_EQ(run.exitCode, 1);
    const QString told = QString::fromUtf8("Sonorelle meldet: Zu kurz für Tags: [s02] beschädigt\n");
    EXPECT_EQ(run.err, told + told);
    EXPECT_TRUE(run.out.startsWith(QStringLiteral("stream\ts02\n"))) << run.out.toStdString();
    EXPECT_EQ(setting(SettingsKeys::Language), german);
}

}  // namespace
}  // namespace sonorelle::test
