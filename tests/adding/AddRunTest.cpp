#include "AddFixture.h"

#include "platform/FileMoves.h"
#include "support/FileSizeLimit.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"
#include "support/AsNobody.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"
#include "support/NamedRows.h"
#include "support/TestEnvironment.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace sonorelle::test {
namespace {

using test::PrintTo;
using Kind = AddProblem::Kind;
using Make = std::function<QString(AddFixture&)>;

QString Lame(AddFixture& f, const QString& name, std::initializer_list<const char*> options)
{
    return f.made(name, S("lame"), QStringList{S("--quiet")} + Args(options) + QStringList{S("IN"), S("OUT")});
}

QString Stream(AddFixture& f, const QString& name, const QByteArray& record = {})
{
    const QString path = f.made(name, BinDir() + S("/addon3"), {S("-pcstream"), S("IN"), S("="), S("OUT")});
    AppendToFile(path, record);
    return path;
}

struct SourceCase {
    const char* name;
    Make make;
    QStringList entry;     // title, artist, album as listed; "" stands for the new name
    QString recordTitle;   // of the new stream's tag record; "" for none
    bool copied = false;   // stored byte for byte
    QString recordComment = {};  // of the new stream's tag record
};

class SourceTest : public ::testing::TestWithParam<SourceCase> {};

TEST_P(SourceTest, BecomesTheNextSongWithItsTagsAndItsWholeAudio)
{
    const SourceCase& row = GetParam();
    AddFixture fixture;
    const QString file = row.make(fixture);

    const OperationResult result = fixture.add({file});

    ASSERT_EQ(result.outcome, OperationResult::Outcome::Done) << result.problems.join(u'\n').toStdString();
    ASSERT_EQ(fixture.report().added.size(), 1);
    EXPECT_EQ(fixture.report().added.first().line, fixture.game.document->lines().value(2));
    const QList<SongListRecord> listed = fixture.listed();
    ASSERT_EQ(listed.size(), 3);
    const QStringList entry = row.entry.isEmpty() ? QStringList{S("s03"), S("s03"), QString()} : row.entry;
    EXPECT_EQ((QStringList{listed[2].title, listed[2].artist, listed[2].album}), entry);

    const QString stream = fixture.game.streamPath(S("s03"));
    TagRecord record;
    const bool tagged = TagRecordFile::read(stream, record, CodePage()) == TagRecordFile::ReadResult::Tagged;
    EXPECT_EQ(tagged ? TrimTrailingBlanks(record.StrTitle) : QString(), row.recordTitle);
    if (tagged && !row.copied) {
        EXPECT_EQ(TrimTrailingBlanks(record.StrComment), row.recordComment);
        EXPECT_EQ(record.StrGenre, TagRecord::SlotGenre);
    }
    if (row.copied) {
        EXPECT_EQ(ReadFile(stream), ReadFile(file));
    }
    EXPECT_NEAR(AddFixture::streamSeconds(stream), 1.0, 0.06);
    EXPECT_EQ(fixture.audioFiles().filter(S(".sonorelle-")), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Sources, SourceTest,
    ::testing::Values(
        SourceCase{"Mp3WithId3v1",
                   [](AddFixture& f) {
                       return Lame(f, S("v1.mp3"),
                                   {"--id3v1-only", "--tt", "Title", "--ta", "Artist", "--tl", "Album"});
                   },
                   {S("Title"), S("Artist"), S("Album")}, S("Title")},
        SourceCase{"Mp3WithBlankId3v1OverId3v2",
                   [](AddFixture& f) {
                       const QString mp3 = Lame(f, S("both.mp3"), {"--add-id3v2", "--tt", "V2 Title", "--ta",
                                                                   "V2 Artist", "--ty", "1999", "--tc", "comment"});
                       WriteFile(mp3, ReadFile(mp3).chopped(128) + "TAG" + QByteArray(125, ' '));
                       return mp3;
                   },
                   // The ID3v2 comment (COMM) goes into the record too.
                   {S("V2 Title"), S("V2 Artist"), QString()}, S("V2 Title"), false, S("comment")},
        SourceCase{"Mp3WithCyrillicId3v24",
                   [](AddFixture& f) {
                       const QString mp3 = Lame(f, S("ru.mp3"), {});
                       RunTool(S("mid3v2"), {S("-t"), S("Песня"), S("-a"), S("Исполнитель"), mp3});
                       return mp3;
                   },
                   // Code page 1252 holds none of it: the record stays empty, the list whole.
                   {S("Песня"), S("Исполнитель"), QString()}, QString()},
        SourceCase{"Mp3WithoutTags", [](AddFixture& f) { return Lame(f, S("plain.mp3"), {}); }, {}, {}},
        SourceCase{"AifInUpperCase",
                   [](AddFixture& f) { return f.tone(S("SONG.AIF"), Args({"-r", "22050", "-t", "aiff"})); }, {}, {}},
        SourceCase{"StreamWithRecord",
                   [](AddFixture& f) {
                       return Stream(f, S("tagged.str"),
                                     "TAG" + QByteArray("Str Title").leftJustified(30)
                                         + QByteArray("Str Artist").leftJustified(95));
                   },
                   {S("Str Title"), S("Str Artist"), QString()}, S("Str Title"), true},
        SourceCase{"AsfWithoutRecord", [](AddFixture& f) { return Stream(f, S("plain.asf")); }, {}, {}, true}),
    [](const ::testing::TestParamInfo<SourceCase>& row) { return std::string(row.param.name); });

struct NamingCase {
    const char* name;
    QList<DemoSong> songs;
    QString strayFile;  // in the audio folder, not in the list
    QStringList expected;
};

class NamingTest : public ::testing::TestWithParam<NamingCase> {};

TEST_P(NamingTest, EachSongTakesTheSmallestFreeNumber)
{
    const NamingCase& row = GetParam();
    AddFixture fixture(row.songs);
    if (!row.strayFile.isEmpty())
        WriteFile(fixture.game.audioDir() + row.strayFile, "stray");
    const QString stream = Stream(fixture, S("song.str"));

    fixture.add(QStringList(row.expected.size(), stream));

    QStringList names;
    for (const AddedSong& song : fixture.report().added) {
        EXPECT_EQ(song.index, row.songs.size() + names.size());
        names.append(song.streamName);
    }
    EXPECT_EQ(names, row.expected);
    EXPECT_EQ(fixture.listed().size(), row.songs.size() + row.expected.size());
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamingTest,
    ::testing::Values(
        NamingCase{"GapsFirst", {GameFixture::song(S("s01")), GameFixture::song(S("s03"))}, {}, {S("s02"), S("s04")}},
        NamingCase{"HundredAfterNinetyNine", GameFixture::numberedSongs(99), {}, {S("s100")}},
        NamingCase{"UpperCaseFileTakesItsNumber", {GameFixture::song(S("s01"))}, S("S02.SNG"), {S("s03")}}),
    [](const ::testing::TestParamInfo<NamingCase>& row) { return std::string(row.param.name); });

TEST(AddRunTest, AFileTooShortEndsTheRunAndLaterFilesAreNotProcessed)
{
    AddFixture fixture;
    const QString tiny = fixture.source(S("tiny.wav"));
    WriteFile(tiny, QByteArray(100, 'x'));
    const QStringList files{Lame(fixture, S("first.mp3"), {}), tiny, Lame(fixture, S("third.mp3"), {})};

    EXPECT_EQ(fixture.add(files).outcome, OperationResult::Outcome::Partly);

    ASSERT_EQ(fixture.report().added.size(), 1);
    EXPECT_EQ(fixture.report().added[0].source, files[0]);
    ASSERT_EQ(fixture.report().problems.size(), 2);
    EXPECT_EQ(fixture.report().problems[0].kind, Kind::Failed);
    EXPECT_EQ(fixture.report().problems[1].text(),
              files[2] + S(": not processed: the run ended at ") + tiny);
    EXPECT_FALSE(fixture.report().ranToEnd);
    ASSERT_EQ(fixture.game.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.game.feedback.messages[0].text, S("msg2"));
    EXPECT_EQ(fixture.listed().size(), 3);
}

TEST(AddRunTest, NothingToAddSaysMsg1)
{
    AddFixture fixture;
    EXPECT_EQ(fixture.add({}).outcome, OperationResult::Outcome::Failed);
    ASSERT_EQ(fixture.game.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.game.feedback.messages[0].text, S("msg1"));
    EXPECT_FALSE(fixture.report().ranToEnd);
}

struct FailureCase {
    const char* name;
    Make make;
    const char* reason;
    Kind kind = Kind::Failed;
    rlim_t fileSizeLimit = RLIM_INFINITY;
    // Root writes anywhere: the run goes as "nobody", who may use all but the audio folder.
    bool asNobody = false;
};

QString Garbage(AddFixture& f, const QString& name)
{
    WriteFile(f.source(name), QByteArray(5000, 'Z'));
    return f.source(name);
}

class FailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, AddsNothingAndLeavesFolderAndListAsTheyWere)
{
    const FailureCase& row = GetParam();
    AddFixture fixture;
    const QString file = row.make(fixture);
    // A finished stream of an earlier run must not pass for this one's output.
    WriteFile(fixture.work.filePath(S("gotovo.!!!")), ReadFile(Stream(fixture, S("earlier.str"))));
    const QStringList files = fixture.audioFiles();
    const QByteArray list = fixture.game.looseList();
    const QByteArray archived = fixture.game.archivedList();

    OperationResult result;
    {
        const FileSizeLimit limit(row.fileSizeLimit);
        std::optional<AsNobody> nobody;
        if (row.asNobody)
            nobody.emplace();
        result = fixture.add({file});
    }

    EXPECT_EQ(result.outcome, OperationResult::Outcome::Failed);
    ASSERT_EQ(fixture.report().problems.size(), 1);
    EXPECT_EQ(fixture.report().problems[0].kind, row.kind);
    EXPECT_TRUE(result.problems.value(0).startsWith(file + S(": ") + S(row.reason)))
        << result.problems.value(0).toStdString();
    EXPECT_EQ(fixture.audioFiles(), files);
    EXPECT_EQ(fixture.game.looseList(), list);
    EXPECT_EQ(fixture.game.archivedList(), archived);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureTest,
    ::testing::Values(
        FailureCase{"DamagedMp3", [](AddFixture& f) { return Garbage(f, S("damaged.mp3")); },
                    "the stream encoder failed: addon3: "},
        FailureCase{"MissingMp2", [](AddFixture& f) { return f.source(S("missing.mp2")); }, "does not exist"},
        FailureCase{"OtherType", [](AddFixture& f) { return Garbage(f, S("song.ogg")); }, "skipped: not a type",
                    Kind::Skipped},
        FailureCase{"CdTrackWithoutReader", [](AddFixture&) { return S("/media/cd/Track01.cda"); },
                    "CD tracks can not be added yet"},
        FailureCase{"ArchiveToolFails",
                    [](AddFixture& f) {
                        f.game.useFailingArchiveTool();
                        return Stream(f, S("song.str"));
                    },
                    "the song list could not be saved, so the new stream was removed again"},
        FailureCase{"DiskFull", [](AddFixture& f) { return Stream(f, S("song.str")); },
                    "could not be copied into the game", Kind::Failed, 16 * 1024},
        FailureCase{"ReadOnlyAudioFolder",
                    [](AddFixture& f) {
                        RunTool(S("chmod"), {S("-R"), S("a+rwX"), f.game.root.path(), f.work.path(), f.sources.path()});
                        RunTool(S("chmod"), {S("a-w"), f.game.audioDir()});
                        return Lame(f, S("song.mp3"), {});
                    },
                    "the stream could not be stored in the game", Kind::Failed, RLIM_INFINITY, true}),
    [](const ::testing::TestParamInfo<FailureCase>& row) { return std::string(row.param.name); });

TEST(AddRunTest, CancelStopsTheEncoderAndTheRestOfTheRun)
{
    AddFixture fixture;
    const QStringList files{fixture.made(S("long.mp3"), S("lame"), Args({"--quiet", "IN", "OUT"}), 60.0),
                            Stream(fixture, S("next.str"))};
    RecordingFeedback& feedback = fixture.game.feedback;
    feedback.cancelWhen = [&feedback] {
        return feedback.statuses.value(feedback.statuses.size() - 1).startsWith(S("sost3"));
    };
    const QStringList before = fixture.audioFiles();

    EXPECT_EQ(fixture.add(files).outcome, OperationResult::Outcome::Cancelled);

    ASSERT_EQ(fixture.report().problems.size(), 2);
    EXPECT_EQ(fixture.report().problems[1].kind, Kind::NotProcessed);
    EXPECT_EQ(fixture.audioFiles(), before);
}

TEST(AddRunTest, AStoredStreamNeverReplacesAFileOfTheSameName)
{
    QTemporaryDir folder;
    const QString staged = folder.filePath(S(".staged.tmp"));
    const QString taken = folder.filePath(S("s01.sng"));
    WriteFile(staged, "new");
    WriteFile(taken, "old");
    QString error;

    EXPECT_EQ(MoveWithoutReplacing(staged, taken, &error), MoveOutcome::TargetExists);
    EXPECT_EQ(ReadFile(taken), QByteArray("old"));
    EXPECT_EQ(MoveWithoutReplacing(staged, folder.filePath(S("s02.sng")), &error),
              MoveOutcome::Moved);
    EXPECT_EQ(ReadFile(folder.filePath(S("s02.sng"))), QByteArray("new"));
}

// Runs of several files to convert, where each next file is encoded while the one before
// it is stored.
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
