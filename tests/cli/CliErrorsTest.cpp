#include "cli/CliFixture.h"

#include "app/SettingsKeys.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>

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
        {QStringLiteral("--quiet"), QStringLiteral("list")},
        {QStringLiteral("list"), QStringLiteral("0")},
        {QStringLiteral("up")},
        {QStringLiteral("delete"), QStringLiteral("first")},
        {QStringLiteral("show"), QStringLiteral("1.5")},
        {QStringLiteral("tags"), QStringLiteral("0"), QStringLiteral("only a title")},
    };
    for (const QStringList& arguments : wrong) {
        const Run run = cli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: sonorelle-cli"))) << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
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
        {QStringLiteral("down"), QStringLiteral("4")},
        {QStringLiteral("delete"), QStringLiteral("4")},
        {QStringLiteral("tags"), QStringLiteral("99"), QStringLiteral("t"), QStringLiteral("a"), QStringLiteral("b"),
         QStringLiteral("2009"), QStringLiteral("c")},
    };
    for (const QStringList& arguments : outside) {
        const Run run = cli(arguments);
        EXPECT_EQ(run.exitCode, 1) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("is not a song of the list: it holds 4, numbered 0 to 3")))
            << run.err.toStdString();
        EXPECT_EQ(run.out, QString());
    }
    EXPECT_EQ(archivedStreams(), FourStreams);
    EXPECT_FALSE(QDir(home.filePath(QStringLiteral("data/Trash"))).exists());
}

TEST_F(CliErrors, AMissingGameEndsStartUpWithTheFatalMessage)
{
    QTemporaryDir emptyPrefix;
    const Run run = cli({QStringLiteral("list")}, {{QStringLiteral("WINEPREFIX"), emptyPrefix.path()}});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("Critical Error: Error: can not find Kickvale 09 install folder!\n"));
    EXPECT_EQ(run.out, QString());
}

TEST_F(CliErrors, WithoutTheSetupItSaysHowToDoItAndStoresNoChoice)
{
    set(SettingsKeys::CDDrive, QString());
    const Run run = cli({QStringLiteral("list")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(
        QStringLiteral("sonorelle-reg set 'HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvitane\\Sonorelle' CDDrive 0")))
        << run.err.toStdString();
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QString());
    EXPECT_EQ(setting(SettingsKeys::Language), QString());

    // Once the choice is stored the same command works.
    set(SettingsKeys::CDDrive, QStringLiteral("0"));
    EXPECT_EQ(listed().size(), 4);
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
    EXPECT_EQ(archivedStreams(), FourStreams);
    EXPECT_EQ(game->listedStreams(), FourStreams);

    const Run tags = cli({QStringLiteral("tags"), QStringLiteral("0"), QStringLiteral("t"), QStringLiteral("a"),
                          QStringLiteral("b"), QStringLiteral("2009"), QStringLiteral("c")});
    EXPECT_EQ(tags.exitCode, 1);
    EXPECT_EQ(cli({QStringLiteral("delete"), QStringLiteral("0")}).exitCode, 1);
    EXPECT_TRUE(QFile::exists(game->streamPath(QStringLiteral("s01"))));
    EXPECT_EQ(archivedStreams(), FourStreams);
}

TEST_F(CliErrors, MessagesComeInTheStoredLanguage)
{
    useSongs({GameFixture::song(QStringLiteral("s01")),
              GameFixture::song(QStringLiteral("s02"), QStringLiteral("A"), QStringLiteral("T"), 100)});
    const QString program = useProgramFolder();
    const QString german = program + QStringLiteral("/languages/Deutsch.lng");
    QFile file(german);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Global]\nLanguage=Deutsch\n[Translate]\nmsgcap1=Sonorelle meldet\n"
               "msg9_1=Zu kurz f\xc3\xbcr Tags: [\nmsg9_2=] besch\xc3\xa4" "digt\n");
    file.close();
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
