#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"
#include "support/TestEnvironment.h"

#include <QDir>

namespace sonorelle::test {
namespace {

using CliErrors = CliFixture;

const QStringList FourStreams{S("s01"), S("s02"), S("s03"), S("s04")};

TEST_F(CliErrors, AWrongCommandLineShowsTheUsageAndTouchesNothing)
{
    const QList<QStringList> wrong = {
        {}, {S("play")}, {S("list"), S("0")}, {S("up")}, {S("delete"), S("first")}};
    for (const QStringList& arguments : wrong) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        cli(arguments).expectFailure(2, S("usage: sonorelle-cli"));
    }
    // Start-up never ran: it would have stored the language.
    EXPECT_EQ(setting(SettingsKeys::Language), QString());

    const Run help = cli({S("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(S("tags N TITLE ARTIST ALBUM YEAR COMMENT")));
}

TEST_F(CliErrors, AnIndexThatIsNoSongIsAnErrorAndChangesNothing)
{
    for (const QStringList& arguments : {QStringList{S("up"), S("-1")}, {S("delete"), S("4")}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        cli(arguments).expectFailure(1, S("not a song of the list: it holds 4, numbered 0 to 3"));
    }
    EXPECT_EQ(archivedStreams(), FourStreams);
    EXPECT_FALSE(QDir(home.filePath(S("data/Trash"))).exists());
}

TEST_F(CliErrors, AMissingGameEndsStartUpWithTheFatalMessage)
{
    QTemporaryDir emptyPrefix;
    cli({S("list")}, {{S("WINEPREFIX"), emptyPrefix.path()}})
        .expectFailure(1, S("Critical Error: Error: can not find Kickvale 09 install folder!\n"));
}

TEST_F(CliErrors, WithoutTheSetupItSaysHowToDoItAndStoresNoChoice)
{
    set(SettingsKeys::CDDrive, QString());
    cli({S("list")}).expectFailure(
        1, S("sonorelle-reg set 'HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvitane\\Sonorelle' CDDrive 0"));
    EXPECT_EQ(setting(SettingsKeys::CDDrive), QString());
    EXPECT_EQ(setting(SettingsKeys::Language), QString());
}

TEST_F(CliErrors, AListThatCannotBeSavedIsAnErrorAfterTheSelectionIsPrinted)
{
    // Taking the list out works; putting it back fails.
    useProgramFolder(S("#!/bin/sh\n"
                       "[ \"$1\" = -e ] && exec '%1/addon2' \"$@\"\n"
                       "echo 'addon2: the archive is locked' >&2\n"
                       "exit 1\n")
                         .arg(BinDir())
                         .toUtf8());
    const Run run = cli({S("up"), S("2")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(S("addon2: the archive is locked"))) << run.err.toStdString();
    EXPECT_EQ(run.out, S("1\n"));
}

TEST_F(CliErrors, MessagesComeInTheStoredLanguage)
{
    useSongs({GameFixture::song(S("s01")), GameFixture::song(S("s02"), S("A"), S("T"), 100)});
    const QString german = useProgramFolder() + S("/languages/Deutsch.lng");
    WriteFile(german, "[Global]\nLanguage=Deutsch\n[Translate]\nmsgcap1=Sonorelle meldet\n"
                      "msg9_1=Zu kurz f\xc3\xbcr Tags: [\nmsg9_2=] besch\xc3\xa4" "digt\n");
    set(SettingsKeys::Language, german);

    // The stream of 100 bytes is reported by the list load and again by show.
    const Run run = cli({S("show"), S("1")});
    EXPECT_EQ(run.exitCode, 1);
    const QString told = S("Sonorelle meldet: Zu kurz für Tags: [s02] beschädigt\n");
    EXPECT_EQ(run.err, told + told);
    EXPECT_TRUE(run.out.startsWith(S("stream\ts02\n"))) << run.out.toStdString();
}

}  // namespace
}  // namespace sonorelle::test
