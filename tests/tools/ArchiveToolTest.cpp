#include "tools/ArchiveToolHarness.h"

#include "addon2/ArchiveLayout.h"
#include "addon2/WildcardPattern.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace sonorelle::test {
namespace {

constexpr qint64 kMiB = 1 << 20;

class ArchiveToolTest : public ::testing::Test {
protected:
    ArchiveToolHarness tool;
};

TEST_F(ArchiveToolTest, CreateListAndExtractKeepEveryByte)
{
    const Members members{
        {QStringLiteral("songlist.bin"), Bytes(140 * 40, 1)},
        {QStringLiteral("empty.dat"), QByteArray()},
        {QStringLiteral("name with blanks.sng"), Bytes(300000, 2)},
        {QStringLiteral("Überschrift.txt"), QByteArrayLiteral("text\n")},
    };
    const QString archive = tool.Create(QStringLiteral("audio.big"), members);
    QByteArray expected;
    for (const auto& [name, bytes] : members) {
        expected += name.toUtf8() + '\t' + QByteArray::number(bytes.size()) + '\n';
        EXPECT_EQ(tool.Extract(archive, name), bytes) << name.toStdString();
    }
    EXPECT_EQ(ArchiveToolHarness::Listing(archive), expected);
    // Names compare without regard to case, also beyond ASCII.
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("SONGLIST.BIN")), members[0].second);
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("üBERSCHRIFT.TXT")), members[3].second);
}

TEST_F(ArchiveToolTest, WildcardPutsBackEveryMatchingFileByBaseName)
{
    const QString archive = tool.Create(QStringLiteral("audio.big"), {{QStringLiteral("s701.sng"), Bytes(5000, 3)}});
    QDir(tool.Path(QString())).mkpath(QStringLiteral("audio/songlist.d"));
    const Members matching{{QStringLiteral("songlist.bin"), Bytes(4200, 4)},
        {QStringLiteral("songlist.bak"), Bytes(10, 5)}, {QStringLiteral("SongList.old"), Bytes(77, 6)}};
    for (const auto& [name, bytes] : matching)
        WriteFile(tool.Path(QStringLiteral("audio/") + name), bytes);
    WriteFile(tool.Path(QStringLiteral("audio/songs.bin")), "no match");
    WriteFile(tool.Path(QStringLiteral("audio/.songlist.bin.0123456789abcdef.tmp")), "another run's temporary file");

    const ToolRun run = ArchiveToolHarness::Run({QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("audio/songlist.*"))});
    ASSERT_TRUE(run.Ok()) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(ArchiveToolHarness::Listing(archive), "s701.sng\t5000\nSongList.old\t77\nsonglist.bak\t10\nsonglist.bin\t4200\n");
    for (const auto& [name, bytes] : matching)
        EXPECT_EQ(tool.Extract(archive, name), bytes) << name.toStdString();
}

TEST_F(ArchiveToolTest, PutBackReplacesTheMemberWhateverItsCaseAndKeepsTheOthers)
{
    const QByteArray stream = Bytes(70000, 7);
    const QString archive = tool.Create(QStringLiteral("audio.big"),
        {{QStringLiteral("s701.sng"), stream}, {QStringLiteral("SongList.bin"), Bytes(140, 8)}});
    QByteArray list;
    for (std::uint32_t round = 0; round < 40; ++round) {
        list = Bytes(140 * (round % 7), 100 + round);
        tool.Put(archive, QStringLiteral("songlist.bin"), list);
        ASSERT_EQ(tool.Extract(archive, QStringLiteral("songlist.bin")), list) << "round " << round;
    }
    EXPECT_EQ(ArchiveToolHarness::Listing(archive), "s701.sng\t70000\nsonglist.bin\t" + QByteArray::number(list.size()) + '\n');
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("s701.sng")), stream);
}

TEST_F(ArchiveToolTest, FailuresSayOneLineAndChangeNothing)
{
    const QString archive = tool.Create(QStringLiteral("audio.big"), {{QStringLiteral("songlist.bin"), Bytes(4200, 9)}});
    WriteFile(tool.Path(QStringLiteral("in/SONGLIST.BIN")), "same member name");
    const QByteArray before = ReadFile(archive);
    const QString out = tool.Path(QStringLiteral("out.bin"));
    const QString list = tool.Path(QStringLiteral("in/songlist.bin"));
    const QString fresh = tool.Path(QStringLiteral("new.big"));
    const std::pair<QStringList, int> failing[] = {
        {{QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("nothing.*"))}, 1},
        {{QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("missing.bin"))}, 1},
        {{QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("in"))}, 1},
        {{QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("*.big"))}, 1},  // the archive itself
        {{QStringLiteral("-ar"), tool.Path(QStringLiteral("absent.big")), tool.Path(QStringLiteral("in/*"))}, 1},
        {{QStringLiteral("-e"), archive, QStringLiteral("absent.bin"), out}, 1},
        {{QStringLiteral("-e"), archive, QStringLiteral("songlist.bin"), tool.Path(QStringLiteral("no/such/out.bin"))}, 1},
        {{QStringLiteral("-e"), archive, QStringLiteral("songlist.bin"), archive}, 1},
        {{QStringLiteral("-c"), archive, list}, 1},
        {{QStringLiteral("-c"), fresh, list, tool.Path(QStringLiteral("in/SONGLIST.BIN"))}, 1},
        {{QStringLiteral("-c"), fresh, tool.Path(QStringLiteral("in/missing"))}, 1},
        {{QStringLiteral("-x"), archive}, 2},
        {{QStringLiteral("-l")}, 2},
        {{QStringLiteral("-l"), archive, QStringLiteral("extra")}, 2},
        {{QStringLiteral("-e"), archive, QStringLiteral("songlist.bin")}, 2},
        {{QStringLiteral("-ar"), archive}, 2},
        {{QStringLiteral("-ar"), archive, QStringLiteral("a"), QStringLiteral("b")}, 2},
        {{QStringLiteral("-c"), archive}, 2},
    };
    for (const auto& [arguments, exitCode] : failing) {
        const ToolRun run = ArchiveToolHarness::Run(arguments);
        EXPECT_TRUE(run.OneLineError()) << arguments.join(u' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(run.exitCode, exitCode) << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(ReadFile(archive), before);
    // No output and no temporary file left behind.
    EXPECT_EQ(QDir(tool.Path(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("audio.big")});
}

TEST_F(ArchiveToolTest, PuttingBackASmallMemberGrowsABigArchiveByLittleMoreThanTheMember)
{
    const qint64 listSize = 10 * 1024;
    const QString archive = tool.Create(QStringLiteral("audio.big"),
        {{QStringLiteral("s701.sng"), Bytes(64 * kMiB, 1)}, {QStringLiteral("songlist.bin"), Bytes(listSize, 2)}});
    for (std::uint32_t round = 0; round < 3; ++round) {
        const qint64 before = QFileInfo(archive).size();
        tool.Put(archive, QStringLiteral("songlist.bin"), Bytes(listSize, 3 + round));
        const qint64 growth = QFileInfo(archive).size() - before;
        // The member plus a directory of two entries; never a rewrite.
        EXPECT_GE(growth, listSize);
        EXPECT_LE(growth, listSize + 512) << "round " << round;
    }
}

TEST_F(ArchiveToolTest, UnusedSpaceIsReclaimedWithinTheDocumentedBound)
{
    const qint64 bigSize = 8 * kMiB;
    const qint64 listSize = 3 * kMiB;
    const QString archive = tool.Create(QStringLiteral("audio.big"),
        {{QStringLiteral("s701.sng"), Bytes(bigSize, 1)}, {QStringLiteral("songlist.bin"), Bytes(listSize, 4)}});
    // Writers work on the file behind a link; the compacted file must not replace the link.
    const QString link = tool.Path(QStringLiteral("linked.big"));
    ASSERT_TRUE(QFile::link(archive, link));

    const qint64 live = bigSize + listSize;
    const qint64 overhead = static_cast<qint64>(ArchiveLayout::kDataStart) + 1024;
    const qint64 bound = live + overhead + static_cast<qint64>(ArchiveLayout::AllowedDeadBytes(live));
    qint64 largest = 0;
    int shrinks = 0;
    for (std::uint32_t round = 0; round < 20; ++round) {
        const qint64 before = QFileInfo(archive).size();
        tool.Put(link, QStringLiteral("songlist.bin"), Bytes(listSize, 10 + round));
        const qint64 after = QFileInfo(archive).size();
        EXPECT_LE(after, bound) << "round " << round;
        largest = std::max(largest, after);
        shrinks += after < before ? 1 : 0;
    }
    EXPECT_GE(shrinks, 2);
    // Not a rewrite at every put-back: the file grew well past its live size between compactions.
    EXPECT_GT(largest, live + static_cast<qint64>(ArchiveLayout::kReclaimFloorBytes) / 2);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(tool.Extract(link, QStringLiteral("songlist.bin")), Bytes(listSize, 29));
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("s701.sng")), Bytes(bigSize, 1));
}

TEST(ArchiveWildcardTest, MatchesLikeWindowsWithoutRegardToCase)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"songlist.bin", "songlist.*", true}, {"SONGLIST.BIN", "songlist.*", true},
        {"songlist.", "songlist.*", true}, {"songlist", "songlist.*", false},
        {"s701.sng", "s7??.sng", true}, {"s70.sng", "s7??.sng", false},
        {"a[1].bin", "a[1].*", true}, {"a1.bin", "a[1].*", false},  // brackets are plain characters
        {"ÄRGER.txt", "ärger.*", true},
    };
    for (const auto& [name, pattern, matches] : cases)
        EXPECT_EQ(WildcardPattern::Matches(name, pattern), matches) << name << " ~ " << pattern;
    // Many stars against a long name that almost matches must not take forever.
    EXPECT_FALSE(WildcardPattern::Matches(std::string(20000, 'a'), "*a*a*a*a*a*a*a*a*b"));
}

}  // namespace
}  // namespace sonorelle::test
