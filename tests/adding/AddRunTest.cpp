#include "AddFixture.h"

#include "platform/FileMoves.h"
#include "songdata/FileSizeLimit.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"
#include "support/AsNobody.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"

#include <QFile>

#include <functional>
#include <optional>

namespace sonorelle::test {
namespace {

using Kind = AddProblem::Kind;

struct SourceCase {
    const char* name;
    std::function<QString(AddFixture&)> make;
    const char* title;  // the list entry as written; the free name stands for "s03"
    const char* artist;
    const char* album;
    std::optional<QString> recordTitle;  // the new stream's tag record, if it gets one
    bool copied = false;                 // stored byte for byte
};

QString Expected(const char* text)
{
    return S(text).replace(S("<name>"), S("s03"));
}

class SourceTest : public ::testing::TestWithParam<SourceCase> {};

TEST_P(SourceTest, BecomesTheNextSongWithItsTagsAndItsWholeAudio)
{
    const SourceCase& row = GetParam();
    AddFixture fixture;
    const QString file = row.make(fixture);

    const OperationResult result = fixture.add({file});

    ASSERT_EQ(result.outcome, OperationResult::Outcome::Done) << result.problems.join(u'\n').toStdString();
    ASSERT_EQ(fixture.report().added.size(), 1);
    const AddedSong& song = fixture.report().added.first();
    EXPECT_EQ(song.index, 2);
    EXPECT_EQ(song.streamName, S("s03"));
    EXPECT_EQ(song.line, fixture.game.document->lines().value(2));
    EXPECT_TRUE(fixture.report().ranToEnd);

    const QList<SongListRecord> listed = fixture.listed();
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed[2].streamName, S("s03"));
    EXPECT_EQ(listed[2].title, Expected(row.title));
    EXPECT_EQ(listed[2].artist, Expected(row.artist));
    EXPECT_EQ(listed[2].album, Expected(row.album));

    const QString stream = fixture.game.streamPath(S("s03"));
    TagRecord record;
    const TagRecordFile::ReadResult tagged = TagRecordFile::read(stream, record);
    EXPECT_EQ(tagged == TagRecordFile::ReadResult::Tagged, row.recordTitle.has_value());
    if (row.recordTitle && tagged == TagRecordFile::ReadResult::Tagged) {
        EXPECT_EQ(TrimTrailingBlanks(record.StrTitle), *row.recordTitle);
        if (!row.copied) {
            EXPECT_EQ(TrimTrailingBlanks(record.StrComment), QString());
            EXPECT_EQ(record.StrGenre, TagRecord::SlotGenre);
        }
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
                       return f.lameMp3(S("v1.mp3"), Args({"--id3v1-only", "--tt", "Title", "--ta", "Artist", "--tl",
                                                           "Album", "--ty", "2001"}));
                   },
                   "Title", "Artist", "Album", S("Title")},
        SourceCase{"Mp3WithBlankId3v1OverId3v2",
                   [](AddFixture& f) {
                       const QString mp3 = f.lameMp3(S("both.mp3"), Args({"--add-id3v2", "--tt", "V2 Title", "--ta",
                                                                          "V2 Artist", "--tl", "V2 Album", "--ty",
                                                                          "1999", "--tc", "v1 and v2 comment"}));
                       QByteArray bytes = ReadFile(mp3);
                       bytes.chop(128);
                       WriteFile(mp3, bytes + "TAG" + QByteArray(125, ' '));
                       return mp3;
                   },
                   "V2 Title", "V2 Artist", "V2 Album", S("V2 Title")},
        SourceCase{"Mp3WithCyrillicId3v24",
                   [](AddFixture& f) {
                       const QString mp3 = f.lameMp3(S("ru.mp3"));
                       RunTool(S("mid3v2"), {S("-t"), S("Песня"), S("-a"), S("Исполнитель"), S("-A"),
                                              S("Альбом"), mp3});
                       return mp3;
                   },
                   "Песня", "Исполнитель", "Альбом", S("?????")},
        SourceCase{"Mp3WithoutTags", [](AddFixture& f) { return f.lameMp3(S("plain.mp3")); }, "<name>", "<name>",
                   "", std::nullopt},
        SourceCase{"Wav48kHz24BitMono",
                   [](AddFixture& f) { return f.tone(S("mono.wav"), Args({"-r", "48000", "-b", "24", "-c", "1"})); },
                   "<name>", "<name>", "", std::nullopt},
        SourceCase{"Aiff", [](AddFixture& f) { return f.tone(S("song.aiff"), Args({"-r", "44100", "-c", "2"})); },
                   "<name>", "<name>", "", std::nullopt},
        SourceCase{"AifInUpperCase",
                   [](AddFixture& f) { return f.tone(S("SONG.AIF"), Args({"-r", "22050", "-c", "2", "-t", "aiff"})); },
                   "<name>", "<name>", "", std::nullopt},
        SourceCase{"Mp2", [](AddFixture& f) { return f.mp2(S("song.mp2")); }, "<name>", "<name>", "", std::nullopt},
        SourceCase{"StreamWithRecord",
                   [](AddFixture& f) {
                       return f.stream(S("tagged.str"), AddFixture::record("Str Title", "Str Artist", "Str Album"));
                   },
                   "Str Title", "Str Artist", "Str Album", S("Str Title"), true},
        SourceCase{"AsfWithoutRecord", [](AddFixture& f) { return f.stream(S("plain.asf")); }, "<name>", "<name>",
                   "", std::nullopt, true}),
    [](const ::testing::TestParamInfo<SourceCase>& row) { return std::string(row.param.name); });

struct NamingCase {
    const char* name;
    QList<DemoSong> songs;
    QStringList strayFiles;  // in the audio folder but not in the list
    int sources;
    QStringList expected;
};

class NamingTest : public ::testing::TestWithParam<NamingCase> {};

TEST_P(NamingTest, EachSongTakesTheSmallestFreeNumber)
{
    const NamingCase& row = GetParam();
    AddFixture fixture(row.songs);
    for (const QString& stray : row.strayFiles)
        WriteFile(fixture.game.audioDir() + stray, "stray");
    QStringList files;
    for (int i = 0; i < row.sources; ++i)
        files.append(fixture.stream(QStringLiteral("song%1.str").arg(i)));

    fixture.add(files);

    QStringList names;
    for (const AddedSong& song : fixture.report().added) {
        names.append(song.streamName);
        EXPECT_EQ(song.index, row.songs.size() + names.size() - 1);
    }
    EXPECT_EQ(names, row.expected);
    const QList<SongListRecord> listed = fixture.listed();
    ASSERT_EQ(listed.size(), row.songs.size() + row.sources);
    EXPECT_EQ(listed.last().streamName, row.expected.last());
}

INSTANTIATE_TEST_SUITE_P(
    Names, NamingTest,
    ::testing::Values(
        NamingCase{"GapsFirst", {GameFixture::song(S("s01")), GameFixture::song(S("s03"))}, {}, 2,
                   {S("s02"), S("s04")}},
        NamingCase{"HundredAfterNinetyNine", GameFixture::numberedSongs(99), {}, 1, {S("s100")}},
        NamingCase{"UpperCaseFileTakesItsNumber", {GameFixture::song(S("s01"))}, {S("S02.SNG")}, 1, {S("s03")}}),
    [](const ::testing::TestParamInfo<NamingCase>& row) { return std::string(row.param.name); });

TEST(AddRunTest, AFileTooShortEndsTheRunAndLaterFilesAreNotProcessed)
{
    AddFixture fixture;
    const QString first = fixture.lameMp3(S("first.mp3"));
    const QString tiny = fixture.source(S("tiny.mp3"));
    WriteFile(tiny, QByteArray(100, 'x'));
    const QString third = fixture.lameMp3(S("third.mp3"));

    const OperationResult result = fixture.add({first, tiny, third});

    EXPECT_EQ(result.outcome, OperationResult::Outcome::Partly);
    ASSERT_EQ(fixture.report().added.size(), 1);
    EXPECT_EQ(fixture.report().added[0].streamName, S("s03"));
    ASSERT_EQ(fixture.report().problems.size(), 2);
    EXPECT_EQ(fixture.report().problems[0].kind, Kind::Failed);
    EXPECT_EQ(fixture.report().problems[1].source, third);
    EXPECT_EQ(fixture.report().problems[1].kind, Kind::NotProcessed);
    EXPECT_FALSE(fixture.report().ranToEnd);
    ASSERT_EQ(fixture.game.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.game.feedback.messages[0].text, S("msg2"));
    EXPECT_EQ(fixture.game.feedback.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(fixture.listed().size(), 3);
}

TEST(AddRunTest, NothingToAddSaysMsg1AndChangesNothing)
{
    AddFixture fixture;
    const QByteArray list = fixture.game.looseList();

    EXPECT_EQ(fixture.add({}).outcome, OperationResult::Outcome::Failed);

    ASSERT_EQ(fixture.game.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.game.feedback.messages[0].text, S("msg1"));
    EXPECT_EQ(fixture.game.feedback.messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(fixture.report().ranToEnd);
    EXPECT_EQ(fixture.game.looseList(), list);
}

struct FailureCase {
    const char* name;
    std::function<QString(AddFixture&)> make;
    Kind kind;
    const char* reason;
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

class FailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailureTest, AddsNothingAndLeavesFolderAndListAsTheyWere)
{
    const FailureCase& row = GetParam();
    AddFixture fixture;
    const QString file = row.make(fixture);
    // A finished stream of an earlier run must not pass for this one's output.
    WriteFile(fixture.work.filePath(S("gotovo.!!!")), ReadFile(fixture.stream(S("earlier.str"))));
    const QStringList files = fixture.audioFiles();
    const QByteArray list = fixture.game.looseList();
    const QByteArray archived = fixture.game.archivedList();

    OperationResult result;
    {
        const FileSizeLimit limit(row.fileSizeLimit);
        result = fixture.add({file});
    }

    EXPECT_EQ(result.outcome, OperationResult::Outcome::Failed);
    EXPECT_EQ(fixture.report().added.size(), 0);
    ASSERT_EQ(fixture.report().problems.size(), 1);
    EXPECT_EQ(fixture.report().problems[0].kind, row.kind);
    EXPECT_TRUE(result.problems.value(0).startsWith(file + S(": ")));
    EXPECT_TRUE(result.problems.value(0).contains(S(row.reason))) << result.problems.value(0).toStdString();
    EXPECT_EQ(fixture.audioFiles(), files);
    EXPECT_EQ(fixture.game.looseList(), list);
    EXPECT_EQ(fixture.game.archivedList(), archived);
    EXPECT_EQ(fixture.game.document->lines().size(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailureTest,
    ::testing::Values(
        FailureCase{"DamagedMp3",
                    [](AddFixture& f) {
                        WriteFile(f.source(S("damaged.mp3")), QByteArray(5000, '\x5a'));
                        return f.source(S("damaged.mp3"));
                    },
                    Kind::Failed, "the stream encoder failed: addon3: "},
        FailureCase{"MissingMp3", [](AddFixture& f) { return f.source(S("missing.mp3")); }, Kind::Failed,
                    "does not exist"},
        FailureCase{"MissingStream", [](AddFixture& f) { return f.source(S("missing.str")); }, Kind::Failed,
                    "could not be copied into the game"},
        FailureCase{"OtherType",
                    [](AddFixture& f) {
                        WriteFile(f.source(S("song.ogg")), QByteArray(5000, 'o'));
                        return f.source(S("song.ogg"));
                    },
                    Kind::Skipped, "not a type that can be added"},
        FailureCase{"CdTrackWithoutReader", [](AddFixture&) { return S("/media/cdrom/Track01.cda"); }, Kind::Failed,
                    "CD tracks can not be added yet"},
        FailureCase{"ArchiveToolFails",
                    [](AddFixture& f) {
                        f.game.useFailingArchiveTool();
                        return f.stream(S("song.str"));
                    },
                    Kind::Failed, "the song list could not be saved, so the new stream was removed again"},
        FailureCase{"DiskFullWhileCopying", [](AddFixture& f) { return f.stream(S("song.str")); }, Kind::Failed,
                    "could not be copied into the game", 16 * 1024}),
    [](const ::testing::TestParamInfo<FailureCase>& row) { return std::string(row.param.name); });

TEST(AddRunTest, AReadOnlyAudioFolderEndsTheFileWithAMessage)
{
    AddFixture fixture;
    const QString mp3 = fixture.lameMp3(S("song.mp3"));
    // Root writes anywhere: the run goes as "nobody", who may use everything but the audio folder.
    RunTool(S("chmod"), {S("-R"), S("a+rwX"), fixture.game.root.path(), fixture.work.path(), fixture.sources.path()});
    RunTool(S("chmod"), {S("a-w"), fixture.game.audioDir()});
    const QStringList files = fixture.audioFiles();
    OperationResult result;
    {
        const AsNobody nobody;
        result = fixture.add({mp3});
    }
    RunTool(S("chmod"), {S("u+w"), fixture.game.audioDir()});

    EXPECT_EQ(result.outcome, OperationResult::Outcome::Failed);
    EXPECT_TRUE(result.problems.value(0).contains(S("could not be stored in the game"))) << result.problems.value(0).toStdString();
    EXPECT_EQ(fixture.audioFiles(), files);
}

TEST(AddRunTest, CancelStopsTheEncoderAndTheRestOfTheRun)
{
    AddFixture fixture;
    const QString longSong = fixture.lameMp3(S("long.mp3"), {}, 60.0);
    const QString next = fixture.stream(S("next.str"));
    fixture.game.feedback.cancelWhen = [&fixture] {
        return !fixture.game.feedback.statuses.isEmpty() && fixture.game.feedback.statuses.last().startsWith(S("sost3"));
    };
    const QStringList files = fixture.audioFiles();

    const OperationResult result = fixture.add({longSong, next});

    EXPECT_EQ(result.outcome, OperationResult::Outcome::Cancelled);
    EXPECT_TRUE(fixture.report().added.isEmpty());
    ASSERT_EQ(fixture.report().problems.size(), 2);
    EXPECT_EQ(fixture.report().problems[1].kind, Kind::NotProcessed);
    EXPECT_FALSE(QFile::exists(fixture.work.filePath(S("gotovo.!!!"))));
    EXPECT_EQ(fixture.audioFiles(), files);
}

TEST(AddRunTest, StatusTextsCountTheFiles)
{
    AddFixture fixture;
    fixture.add({fixture.stream(S("a.str")), fixture.source(S("b.txt"))});

    EXPECT_EQ(fixture.game.feedback.statuses,
              (QStringList{S("sost1 (1/2)"), S("sost2 (1/2)"), S("sost5 (1/2)"), S("OK"), S("OK (1/2)")}));
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
    EXPECT_EQ(MoveWithoutReplacing(staged, folder.filePath(S("s02.sng")), &error), MoveOutcome::Moved);
    EXPECT_EQ(ReadFile(folder.filePath(S("s02.sng"))), QByteArray("new"));
    EXPECT_FALSE(QFile::exists(staged));
}

}  // namespace
}  // namespace sonorelle::test
