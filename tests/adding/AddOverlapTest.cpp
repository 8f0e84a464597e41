// Runs of several files to convert, where each next file is encoded while the one before
// it is stored.
#include "AddFixture.h"

#include "support/FileBytes.h"
#include "support/Mp3Files.h"

#include <algorithm>

namespace sonorelle::test {
namespace {

// An MP3 whose title names it and whose length (1 s per number) tells its stream apart.
QString NumberedMp3(AddFixture& fixture, int number)
{
    const QString name = S("song%1.mp3").arg(number);
    return fixture.made(name, S("lame"), {S("--quiet"), S("--tt"), name, S("IN"), S("OUT")}, number);
}

// File 2 fails while file 3 is encoded beside it; the run goes on, and file 3 is added after
// file 2 is reported, as it would be without the overlap.
TEST(AddOverlapTest, SongsAreStoredListedAndReportedInTheOrderOfTheFilesAFailedOneLeftOut)
{
    AddFixture fixture;
    const QString damaged = fixture.source(S("damaged.mp3"));
    WriteFile(damaged, QByteArray(5000, 'Z'));
    // A finished stream of an earlier run in the work files of file 2 must not pass for its.
    WriteFile(fixture.work.filePath(S("gotovo.1.!!!")), QByteArray(4096, 's'));
    const QStringList files{NumberedMp3(fixture, 1), damaged, NumberedMp3(fixture, 3),
                            NumberedMp3(fixture, 4)};

    EXPECT_EQ(fixture.add(files).outcome, OperationResult::Outcome::Partly);

    ASSERT_EQ(fixture.report().problems.size(), 1);
    EXPECT_EQ(fixture.report().problems[0].source, damaged);
    EXPECT_TRUE(fixture.report().problems[0].reason.startsWith(S("the stream encoder failed")));
    const QList<SongListRecord> listed = fixture.listed();
    ASSERT_EQ(fixture.report().added.size(), 3);
    const int numbers[] = {1, 3, 4};  // of the files added, in their order
    for (int song = 0; song < 3; ++song) {
        const int number = numbers[song];
        SCOPED_TRACE(number);
        const QString name = S("s%1").arg(song + 3, 2, 10, QLatin1Char('0'));
        EXPECT_EQ(fixture.report().added[song].source, files[number - 1]);
        EXPECT_EQ(fixture.report().added[song].streamName, name);
        EXPECT_EQ(listed.value(2 + song).streamName, name);
        EXPECT_EQ(listed.value(2 + song).title, S("song%1.mp3").arg(number));
        EXPECT_NEAR(AddFixture::streamSeconds(fixture.game.streamPath(name)), number, 0.06);
    }
    // Each file's status texts come after every text of the file before it.
    QStringList items;
    for (const QString& status : fixture.game.feedback.statuses)
        if (status.contains(S(" (")))
            items.append(status.section(u'(', -1));
    EXPECT_TRUE(std::is_sorted(items.begin(), items.end())) << items.join(u' ').toStdString();
}

// The next file is read once, when its encoding starts beside the current file's; a change
// after that, as long as it still passes its checks, does not reach the new song.
TEST(AddOverlapTest, TheNextFileIsEncodedFromWhatItHeldWhileTheFileBeforeWasEncoded)
{
    AddFixture fixture;
    const QStringList files{NumberedMp3(fixture, 1), NumberedMp3(fixture, 2), NumberedMp3(fixture, 3)};
    RecordingFeedback& feedback = fixture.game.feedback;
    feedback.cancelWhen = [&] {
        if (feedback.statuses.value(feedback.statuses.size() - 1).startsWith(S("sost3 (1/3)")))
            WriteFile(files[1], QByteArray(5000, 'Z'));
        return false;
    };

    ASSERT_EQ(fixture.add(files).outcome, OperationResult::Outcome::Done);
    EXPECT_NEAR(AddFixture::streamSeconds(fixture.game.streamPath(S("s04"))), 2.0, 0.06);
}

}  // namespace
}  // namespace sonorelle::test
