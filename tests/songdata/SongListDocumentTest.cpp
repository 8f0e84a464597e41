#include "support/GameFixture.h"

#include "songdata/SongListFile.h"
#include "songdata/TagRecordFile.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/NamedRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>

namespace sonorelle {
namespace {

using test::PrintTo;
using test::GameFixture;

// The stream names of the document's entries, the free one included.
QStringList SlotStreams(SongListDocument& document)
{
    QStringList names;
    for (qsizetype i = 0; i < document.slotList().size(); ++i)
        names.append(document.slotList().at(i).streamName);
    return names;
}

TEST(NameExpertTest, KeepsFileOrderDropsEntriesWithoutAStreamAndNamesAShortOne)
{
    QList<DemoSong> songs = GameFixture::numberedSongs(4);
    songs[2].fillerBytes = 100;
    GameFixture fixture(songs);
    ASSERT_TRUE(QFile::remove(fixture.streamPath(QStringLiteral("s02"))));
    test::WriteFile(fixture.game.gameDir() + QStringLiteral("data/x.sng"), "outside");
    QList<SongListRecord> records = SongListFile::decode(fixture.looseList());
    SongListRecord escaping;
    escaping.streamName = QStringLiteral("../x");
    escaping.artist = QStringLiteral("Escaping");
    records.prepend(escaping);
    test::WriteFile(fixture.listPath(), SongListFile::encode(records));

    EXPECT_EQ(fixture.document->NameExpert(),
              QStringList({QStringLiteral("Artist 1 - Title 1"), QStringLiteral("s03"),
                           QStringLiteral("Artist 4 - Title 4")}));
    EXPECT_EQ(SlotStreams(*fixture.document),
              QStringList({QStringLiteral("s01"), QStringLiteral("s03"), QStringLiteral("s04"), QString()}))
        << "one empty entry closes the list";
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    const auto& message = fixture.feedback.messages.at(0);
    EXPECT_EQ(std::tuple(message.text, message.caption, message.icon),
              std::tuple(QStringLiteral("Stream s03 too short"), QStringLiteral("msgcap1"), MessageIcon::Critical));

    ASSERT_TRUE(QFile::remove(fixture.listPath()));
    EXPECT_TRUE(fixture.document->NameExpert().isEmpty());
    EXPECT_EQ(fixture.document->slotList().size(), 1);
}

TEST(NameExpertTest, LineComesFromTheTagRecordCutTo20OrFromTheListInFull)
{
    GameFixture fixture(GameFixture::numberedSongs(2));
    QString error;
    ASSERT_TRUE(TagRecordFile::write(fixture.streamPath(QStringLiteral("s01")),
                                     *TagRecord::forSlot(QStringLiteral("  Padded title"),
                                                         QStringLiteral("An Artist Name Of 25 Chars"), {}, {}, {})
                                          .toBytes(fixture.shared.TagCodePage),
                                     TagRecordFile::Placement::ReplaceAnyCaseTag, &error));
    // A list written elsewhere may hold longer texts than this program writes.
    const QString wide = QStringLiteral("  Thirty characters of artist ");
    SongListRecord second;
    second.streamName = QStringLiteral("s02");
    second.title = QStringLiteral("T");
    const SongListRecord first = SongListFile::decode(fixture.looseList()).at(0);
    QByteArray bytes = SongListFile::encode({first, second});
    bytes.replace(SongListRecord::Size + 12, 30, wide.toUtf8());
    test::WriteFile(fixture.listPath(), bytes);

    EXPECT_EQ(fixture.document->NameExpert(), QStringList({QStringLiteral("An Artist Name Of 25 - Padded title"),
                                                           QStringLiteral("Thirty characters of artist - T")}));
    EXPECT_EQ(fixture.document->slotList().at(1).artist, wide.trimmed()) << "the entry keeps the stripped text";
    EXPECT_EQ(fixture.StrTg.StrArtist, QStringLiteral("An Artist Name Of 25 Chars").leftJustified(30))
        << "the working record holds the last tag read";
}

TEST(SaveListTest, ListIsRewrittenInOurFormatAndPutIntoTheArchiveAlone)
{
    GameFixture fixture(GameFixture::numberedSongs(2));
    QByteArray foreign = fixture.looseList();
    for (qsizetype offset = 0; offset < foreign.size(); offset += SongListRecord::Size) {
        foreign.replace(offset, 4, "\x01\x02\x03\x04");
        foreign.replace(offset + 52, 7, "Changed");
        foreign.replace(offset + 132, 8, QByteArray(8, '\x7f'));
    }
    test::WriteFile(fixture.listPath(), foreign);
    fixture.document->NameExpert();
    // What a save killed mid-write leaves: an older version's temporary and one of ours.
    const QString olderTemporary = fixture.audioDir() + QStringLiteral("songlist.bin.abc123");
    test::WriteFile(olderTemporary, "half a list");
    test::WriteFile(fixture.audioDir() + QStringLiteral(".sonorelle-abc123.tmp"), "half a list");

    ASSERT_TRUE(fixture.document->SaveList());
    EXPECT_EQ(fixture.looseList(), SongListFile::encode(SongListFile::decode(foreign)));
    EXPECT_EQ(fixture.archiveMembers(), QStringList{QStringLiteral("songlist.bin")});
    EXPECT_EQ(fixture.archivedList(), fixture.looseList());
    EXPECT_EQ(fixture.feedback.statuses, QStringList{QStringLiteral("OK")});
    EXPECT_FALSE(QFile::exists(olderTemporary));
}

TEST(SaveListTest, EntriesWithoutStreamAndTheFreeEntryAreNotWritten)
{
    GameFixture fixture(GameFixture::numberedSongs(3));
    fixture.document->NameExpert();
    ASSERT_TRUE(QFile::remove(fixture.streamPath(QStringLiteral("s01"))));
    fixture.document->slotList().freeEntry().streamName = QStringLiteral("s09");  // its stream was never made

    ASSERT_TRUE(fixture.document->SaveList());
    EXPECT_EQ(fixture.listedStreams(), QStringList({QStringLiteral("s02"), QStringLiteral("s03")}));
}

TEST(SaveListTest, GameFilesSpelledInUpperCaseAreReadAndRewrittenUnderTheirOwnNames)
{
    GameFixture fixture(GameFixture::numberedSongs(2));
    QString error;
    ASSERT_TRUE(TagRecordFile::write(fixture.streamPath(QStringLiteral("s01")),
                                     *TagRecord::forSlot(QStringLiteral("Tagged"), QStringLiteral("Someone"), {}, {}, {})
                                          .toBytes(fixture.shared.TagCodePage),
                                     TagRecordFile::Placement::Append, &error));
    QDir audio(fixture.audioDir());
    for (const QString& name : audio.entryList(QDir::Files))
        ASSERT_TRUE(audio.rename(name, name.toUpper()));
    const QStringList spelled = audio.entryList(QDir::Files);

    EXPECT_EQ(fixture.document->NameExpert(),
              QStringList({QStringLiteral("Someone - Tagged"), QStringLiteral("Artist 2 - Title 2")}));
    ASSERT_TRUE(fixture.document->SaveSlotTags(1, {QStringLiteral("New"), QStringLiteral("Name"), {}, {}, {}}));
    EXPECT_EQ(audio.entryList(QDir::Files), spelled) << "no file of another spelling was made";
    EXPECT_EQ(QFileInfo(audio.filePath(QStringLiteral("S02.SNG"))).size(), 1000 + TagRecord::Size);
    EXPECT_EQ(fixture.archivedList(), fixture.looseList());
    EXPECT_EQ(fixture.listedStreams(), QStringList({QStringLiteral("s01"), QStringLiteral("s02")}));
    EXPECT_EQ(fixture.document->lines().at(1), QStringLiteral("Name - New"));
    EXPECT_TRUE(fixture.feedback.messages.isEmpty());
}

// A save that fails at any step is reported and leaves the old list, loose and archived.
struct SaveFailure {
    const char* name;
    const char* reported;
    std::function<void(GameFixture&)> breakStep;
    bool fullDisk = false;
};

class SaveListFailureTest : public ::testing::TestWithParam<SaveFailure> {};

TEST_P(SaveListFailureTest, IsReportedAndKeepsTheOldList)
{
    GameFixture fixture(GameFixture::numberedSongs(3));
    fixture.document->NameExpert();
    const QByteArray before = fixture.looseList();
    fixture.document->slotList()[0].title = QStringLiteral("Changed");

    GetParam().breakStep(fixture);
    std::optional<test::FileSizeLimit> fullDisk;
    if (GetParam().fullDisk)
        fullDisk.emplace(200);
    EXPECT_FALSE(fixture.document->SaveList());
    fullDisk.reset();
    EXPECT_EQ(fixture.looseList(), before);
    EXPECT_EQ(fixture.archivedList(), before);
    ASSERT_EQ(fixture.feedback.messages.size(), 1);
    EXPECT_EQ(fixture.feedback.messages.at(0).icon, MessageIcon::Critical);
    EXPECT_TRUE(fixture.feedback.messages.at(0).text.contains(QString::fromUtf8(GetParam().reported)))
        << fixture.feedback.messages.at(0).text.toStdString();
    EXPECT_FALSE(fixture.feedback.statuses.contains(QStringLiteral("OK")));
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SaveListFailureTest,
    ::testing::Values(
        SaveFailure{"FailingArchiveTool", "the archive is damaged", [](GameFixture& f) { f.useFailingArchiveTool(); }},
        SaveFailure{"MissingArchiveTool", "could not be started",
                    [](GameFixture& f) { f.shared.ProgramDir = f.toolDir.path(); }},
        SaveFailure{"FullDisk", "songlist.bin", [](GameFixture&) {}, true},
        SaveFailure{"UnknownGameFolder", "could not be written", [](GameFixture& f) { f.shared.GameAudioDir.clear(); }}),
    [](const ::testing::TestParamInfo<SaveFailure>& test) { return std::string(test.param.name); });

QString streamName(int number)
{
    return QStringLiteral("s%1").arg(number, 2, 10, QLatin1Char('0'));
}

class ListEditFixture {
public:
    explicit ListEditFixture(int songs)
        : fixture(GameFixture::numberedSongs(songs))
    {
        document().NameExpert();
        document().seedShuffle(20070100);
    }

    SongListDocument& document() { return *fixture.document; }

    // The list on disk, in the archive, in memory and on screen tell the same story.
    void expectOrder(const QList<int>& songs)
    {
        QStringList names;
        QStringList lines;
        for (int song : songs) {
            names.append(streamName(song));
            lines.append(QStringLiteral("Artist %1 - Title %1").arg(song));
        }
        EXPECT_EQ(fixture.listedStreams(), names);
        EXPECT_EQ(fixture.archivedList(), fixture.looseList());
        EXPECT_EQ(SlotStreams(document()), names + QStringList{QString()}) << "the free entry stays last";
        EXPECT_EQ(document().lines(), lines);
    }

    GameFixture fixture;
};

struct Edit {
    const char* name;
    int songs;
    int (SongListDocument::*edit)(int);
    int selected;
    int selectedAfter;
    QList<int> order;
    const char* message = nullptr;  // the one message the edit tells, if any
};

class ListEditRuleTest : public ::testing::TestWithParam<Edit> {};

TEST_P(ListEditRuleTest, GivesOrderAndSelection)
{
    const Edit& c = GetParam();
    ListEditFixture list(c.songs);
    EXPECT_EQ((list.document().*c.edit)(c.selected), c.selectedAfter);
    list.expectOrder(c.order);
    QStringList told;
    for (const auto& message : list.fixture.feedback.messages)
        told.append(message.text);
    EXPECT_EQ(told, c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Edges, ListEditRuleTest,
    ::testing::Values(Edit{"MoveUpInEmptyList", 0, &SongListDocument::MoveUp, -1, -1, {}},
                      Edit{"MoveDownInEmptyList", 0, &SongListDocument::MoveDown, -1, -1, {}},
                      Edit{"MoveUpNoSelectionSelectsFirst", 4, &SongListDocument::MoveUp, -1, 0, {1, 2, 3, 4}},
                      Edit{"MoveDownNoSelectionSelectsFirst", 4, &SongListDocument::MoveDown, -1, 0, {1, 2, 3, 4}},
                      Edit{"DeleteNoSelectionIsTold", 4, &SongListDocument::Delete, -1, -1, {1, 2, 3, 4}, "msg6"},
                      Edit{"DeleteOnlySongLeavesNoSelection", 1, &SongListDocument::Delete, 0, -1, {}},
                      Edit{"OneSongShuffle", 1, &SongListDocument::Shuffle, 0, 0, {1}}),
    [](const ::testing::TestParamInfo<Edit>& test) { return std::string(test.param.name); });

TEST(ListShuffleTest, ReachesEveryOrderOfThreeSongsAndKeepsNoSelection)
{
    ListEditFixture three(3);
    three.document().seedShuffle(7);
    QHash<QString, int> seen;
    for (int round = 0; round < 60; ++round) {
        EXPECT_EQ(three.document().Shuffle(-1), -1);
        ++seen[three.fixture.listedStreams().join(u',')];
    }
    // Six orders, ten expected of each; a biased swap walk starves some of them.
    EXPECT_EQ(seen.size(), 6);
    for (auto it = seen.cbegin(); it != seen.cend(); ++it)
        EXPECT_GE(it.value(), 2) << it.key().toStdString();
    QList<int> order;
    for (const QString& name : three.fixture.listedStreams())
        order.append(name.mid(1).toInt());
    three.expectOrder(order);
}

TEST(ListDeleteTest, KeepsAStreamThatAnotherEntryStillNames)
{
    ListEditFixture list(4);
    list.document().slotList()[2].streamName = QStringLiteral("s02");
    ASSERT_TRUE(list.document().SaveList());
    list.document().NameExpert();
    list.document().Delete(1);
    EXPECT_TRUE(QFile::exists(list.fixture.streamPath(QStringLiteral("s02"))));
    EXPECT_EQ(list.fixture.listedStreams(),
              QStringList({streamName(1), streamName(2), streamName(4)}));
}

TEST(ListDeleteTest, ThatCannotSaveKeepsTheSongAndItsStream)
{
    ListEditFixture list(4);
    list.fixture.useFailingArchiveTool();
    const QByteArray before = list.fixture.looseList();
    EXPECT_EQ(list.document().Delete(1), 1);
    EXPECT_EQ(list.fixture.looseList(), before);
    EXPECT_TRUE(QFile::exists(list.fixture.streamPath(QStringLiteral("s02"))));
    EXPECT_EQ(list.document().slotList().at(1).streamName, QStringLiteral("s02"));
    EXPECT_EQ(list.document().lines().size(), 4);
}

}  // namespace
}  // namespace sonorelle
