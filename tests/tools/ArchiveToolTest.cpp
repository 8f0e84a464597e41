#include "addon2/ArchiveHeader.h"
#include "addon2/ArchiveLayout.h"
#include "addon2/ByteWriter.h"
#include "addon2/Crc32.h"
#include "addon2/DirectorySlot.h"
#include "addon2/WildcardPattern.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace sonorelle::test {
namespace {

// Members in the order they go onto the command line.
using Members = std::vector<std::pair<QString, QByteArray>>;

// Runs the real addon2 on files made in a fresh temporary folder.
class ArchiveToolTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return folder_.filePath(name); }

    static ToolRun Run(const QStringList& arguments, int timeLimitMs = 60000)
    {
        return RunToEnd(Tool("addon2"), arguments, timeLimitMs);
    }

    // Writes the members into in/ and makes an archive of them with -c.
    QString Create(const QString& name, const Members& members) const
    {
        QDir(folder_.path()).mkpath(QStringLiteral("in"));
        QStringList arguments{QStringLiteral("-c"), Path(name)};
        for (const auto& [member, bytes] : members) {
            arguments << Path(QStringLiteral("in/") + member);
            WriteFile(arguments.back(), bytes);
        }
        const ToolRun run = Run(arguments);
        EXPECT_TRUE(run.Ok()) << run.err.toStdString();
        return Path(name);
    }

    // Writes `bytes` under `name` and puts that file back with -ar.
    void Put(const QString& archive, const QString& name, const QByteArray& bytes) const
    {
        WriteFile(Path(name), bytes);
        const ToolRun run = Run({QStringLiteral("-ar"), archive, Path(name)});
        ASSERT_TRUE(run.Ok()) << run.err.toStdString();
    }

    static QByteArray Listing(const QString& archive)
    {
        const ToolRun run = Run({QStringLiteral("-l"), archive});
        EXPECT_TRUE(run.Ok()) << run.err.toStdString();
        return run.out;
    }

    // The bytes -e writes for `member`, or nothing when it fails.
    std::optional<QByteArray> Extract(const QString& archive, const QString& member) const
    {
        const QString out = Path(QStringLiteral("extracted.out"));
        QFile::remove(out);
        if (!Run({QStringLiteral("-e"), archive, member, out}).Ok())
            return std::nullopt;
        return ReadFile(out);
    }

    QTemporaryDir folder_;
};

constexpr qint64 kMiB = 1 << 20;

TEST_F(ArchiveToolTest, CreateListAndExtractKeepEveryByte)
{
    const Members members{
        {QStringLiteral("songlist.bin"), Bytes(140 * 40, 1)},
        {QStringLiteral("empty.dat"), QByteArray()},
        {QStringLiteral("name with blanks.sng"), Bytes(300000, 2)},
        {QStringLiteral("Überschrift.txt"), QByteArrayLiteral("text\n")},
    };
    const QString archive = Create(QStringLiteral("audio.big"), members);
    QByteArray expected;
    for (const auto& [name, bytes] : members) {
        expected += name.toUtf8() + '\t' + QByteArray::number(bytes.size()) + '\n';
        EXPECT_EQ(Extract(archive, name), bytes) << name.toStdString();
    }
    EXPECT_EQ(Listing(archive), expected);
    // Names compare without regard to case, also beyond ASCII.
    EXPECT_EQ(Extract(archive, QStringLiteral("üBERSCHRIFT.TXT")), members[3].second);
}

TEST_F(ArchiveToolTest, WildcardPutsBackEveryMatchingFileByBaseName)
{
    const QString archive = Create(QStringLiteral("audio.big"), {{QStringLiteral("s701.sng"), Bytes(5000, 3)}});
    QDir(Path(QString())).mkpath(QStringLiteral("audio/songlist.d"));
    const Members matching{{QStringLiteral("songlist.bin"), Bytes(4200, 4)},
        {QStringLiteral("songlist.bak"), Bytes(10, 5)}, {QStringLiteral("SongList.old"), Bytes(77, 6)}};
    for (const auto& [name, bytes] : matching)
        WriteFile(Path(QStringLiteral("audio/") + name), bytes);
    WriteFile(Path(QStringLiteral("audio/songs.bin")), "no match");
    WriteFile(Path(QStringLiteral("audio/.songlist.bin.0123456789abcdef.tmp")), "another run's temporary file");

    const ToolRun run = Run({QStringLiteral("-ar"), archive, Path(QStringLiteral("audio/songlist.*"))});
    ASSERT_TRUE(run.Ok()) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_EQ(Listing(archive), "s701.sng\t5000\nSongList.old\t77\nsonglist.bak\t10\nsonglist.bin\t4200\n");
    for (const auto& [name, bytes] : matching)
        EXPECT_EQ(Extract(archive, name), bytes) << name.toStdString();
}

TEST_F(ArchiveToolTest, PutBackReplacesTheMemberWhateverItsCaseAndKeepsTheOthers)
{
    const QByteArray stream = Bytes(70000, 7);
    const QString archive = Create(QStringLiteral("audio.big"),
        {{QStringLiteral("s701.sng"), stream}, {QStringLiteral("SongList.bin"), Bytes(140, 8)}});
    QByteArray list;
    for (std::uint32_t round = 0; round < 40; ++round) {
        list = Bytes(140 * (round % 7), 100 + round);
        Put(archive, QStringLiteral("songlist.bin"), list);
        ASSERT_EQ(Extract(archive, QStringLiteral("songlist.bin")), list) << "round " << round;
    }
    EXPECT_EQ(Listing(archive), "s701.sng\t70000\nsonglist.bin\t" + QByteArray::number(list.size()) + '\n');
    EXPECT_EQ(Extract(archive, QStringLiteral("s701.sng")), stream);
}

TEST_F(ArchiveToolTest, FailuresSayOneLineAndChangeNothing)
{
    const QString archive = Create(QStringLiteral("audio.big"), {{QStringLiteral("songlist.bin"), Bytes(4200, 9)}});
    WriteFile(Path(QStringLiteral("in/SONGLIST.BIN")), "same member name");
    const QByteArray before = ReadFile(archive);
    const QString out = Path(QStringLiteral("out.bin"));
    const QString list = Path(QStringLiteral("in/songlist.bin"));
    const QString fresh = Path(QStringLiteral("new.big"));
    const std::pair<QStringList, int> failing[] = {
        {{QStringLiteral("-ar"), archive, Path(QStringLiteral("nothing.*"))}, 1},
        {{QStringLiteral("-ar"), archive, Path(QStringLiteral("missing.bin"))}, 1},
        {{QStringLiteral("-ar"), archive, Path(QStringLiteral("in"))}, 1},
        {{QStringLiteral("-ar"), archive, Path(QStringLiteral("*.big"))}, 1},  // the archive itself
        {{QStringLiteral("-ar"), Path(QStringLiteral("absent.big")), Path(QStringLiteral("in/*"))}, 1},
        {{QStringLiteral("-e"), archive, QStringLiteral("absent.bin"), out}, 1},
        {{QStringLiteral("-e"), archive, QStringLiteral("songlist.bin"), Path(QStringLiteral("no/such/out.bin"))}, 1},
        {{QStringLiteral("-e"), archive, QStringLiteral("songlist.bin"), archive}, 1},
        {{QStringLiteral("-c"), archive, list}, 1},
        {{QStringLiteral("-c"), fresh, list, Path(QStringLiteral("in/SONGLIST.BIN"))}, 1},
        {{QStringLiteral("-c"), fresh, Path(QStringLiteral("in/missing"))}, 1},
        {{QStringLiteral("-x"), archive}, 2},
        {{QStringLiteral("-l")}, 2},
        {{QStringLiteral("-l"), archive, QStringLiteral("extra")}, 2},
        {{QStringLiteral("-e"), archive, QStringLiteral("songlist.bin")}, 2},
        {{QStringLiteral("-ar"), archive}, 2},
        {{QStringLiteral("-ar"), archive, QStringLiteral("a"), QStringLiteral("b")}, 2},
        {{QStringLiteral("-c"), archive}, 2},
    };
    for (const auto& [arguments, exitCode] : failing) {
        const ToolRun run = Run(arguments);
        EXPECT_TRUE(run.OneLineError()) << arguments.join(u' ').toStdString() << ": " << run.err.toStdString();
        EXPECT_EQ(run.exitCode, exitCode) << arguments.join(u' ').toStdString();
    }
    EXPECT_EQ(ReadFile(archive), before);
    // No output and no temporary file left behind.
    EXPECT_EQ(QDir(Path(QString())).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("audio.big")});
}

TEST_F(ArchiveToolTest, PuttingBackASmallMemberGrowsABigArchiveByLittleMoreThanTheMember)
{
    const qint64 listSize = 10 * 1024;
    const QString archive = Create(QStringLiteral("audio.big"),
        {{QStringLiteral("s701.sng"), Bytes(64 * kMiB, 1)}, {QStringLiteral("songlist.bin"), Bytes(listSize, 2)}});
    for (std::uint32_t round = 0; round < 3; ++round) {
        const qint64 before = QFileInfo(archive).size();
        Put(archive, QStringLiteral("songlist.bin"), Bytes(listSize, 3 + round));
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
    const QString archive = Create(QStringLiteral("audio.big"),
        {{QStringLiteral("s701.sng"), Bytes(bigSize, 1)}, {QStringLiteral("songlist.bin"), Bytes(listSize, 4)}});
    // Writers work on the file behind a link; the compacted file must not replace the link.
    const QString link = Path(QStringLiteral("linked.big"));
    ASSERT_TRUE(QFile::link(archive, link));

    const qint64 live = bigSize + listSize;
    const qint64 overhead = static_cast<qint64>(ArchiveLayout::kDataStart) + 1024;
    const qint64 bound = live + overhead + static_cast<qint64>(ArchiveLayout::AllowedDeadBytes(live));
    qint64 largest = 0;
    int shrinks = 0;
    for (std::uint32_t round = 0; round < 20; ++round) {
        const qint64 before = QFileInfo(archive).size();
        Put(link, QStringLiteral("songlist.bin"), Bytes(listSize, 10 + round));
        const qint64 after = QFileInfo(archive).size();
        EXPECT_LE(after, bound) << "round " << round;
        largest = std::max(largest, after);
        shrinks += after < before ? 1 : 0;
    }
    EXPECT_GE(shrinks, 2);
    // Not a rewrite at every put-back: the file grew well past its live size between compactions.
    EXPECT_GT(largest, live + static_cast<qint64>(ArchiveLayout::kReclaimFloorBytes) / 2);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(Extract(link, QStringLiteral("songlist.bin")), Bytes(listSize, 29));
    EXPECT_EQ(Extract(archive, QStringLiteral("s701.sng")), Bytes(bigSize, 1));
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

constexpr int kTimeLimitMs = 20000;
constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint64_t kData = ArchiveLayout::kDataStart;

struct Entry {
    std::uint64_t offset;
    std::uint64_t size;
    std::uint16_t nameLength;
    std::string name;
};

std::vector<unsigned char> Directory(std::uint32_t count, const std::vector<Entry>& entries)
{
    ByteWriter writer;
    writer.Bytes(ArchiveLayout::kDirectoryMagic);
    writer.U32(count);
    for (const Entry& entry : entries) {
        writer.U64(entry.offset);
        writer.U64(entry.size);
        writer.U32(0);
        writer.U16(entry.nameLength);
        writer.Bytes({reinterpret_cast<const unsigned char*>(entry.name.data()), entry.name.size()});
    }
    return writer.Take();
}

// Header, the given slot in the first slot page, then `payload` at the start of the data area.
QByteArray Forged(const DirectorySlot& slot, const std::vector<unsigned char>& payload)
{
    QByteArray image(static_cast<qsizetype>(kData), '\0');
    const auto header = ArchiveHeader::Encode();
    const auto slotBytes = slot.Encode();
    std::copy(header.begin(), header.end(), image.begin());
    std::copy(slotBytes.begin(), slotBytes.end(), image.begin() + ArchiveLayout::kSlotOffsets[0]);
    image.append(reinterpret_cast<const char*>(payload.data()), static_cast<qsizetype>(payload.size()));
    return image;
}

// A directory at the start of the data area, named by a slot with good checksums.
QByteArray ForgedDirectory(const std::vector<unsigned char>& directory, std::uint64_t sequence = 1)
{
    return Forged({sequence, kData, directory.size(), Crc32::Of(directory)}, directory);
}

// An archive that has been through -c and one -ar, so both slots are in use; whatever
// becomes of its bytes, addon2 must answer with the whole old or new state or one line
// of error, never a crash or a hang.
class ArchiveDamageTest : public ArchiveToolTest {
protected:
    void SetUp() override
    {
        const QString archive = Create(QStringLiteral("good.big"),
            {{QStringLiteral("s701.sng"), Bytes(30000, 1)}, {QStringLiteral("songlist.bin"), Bytes(4200, 2)}});
        Put(archive, QStringLiteral("songlist.bin"), Bytes(5600, 3));
        pristine = ReadFile(archive);
        WriteFile(Path(QStringLiteral("member.bin")), "member");
    }

    QString Damaged(const QByteArray& image) const
    {
        WriteFile(Path(QStringLiteral("damaged.big")), image);
        return Path(QStringLiteral("damaged.big"));
    }

    void ExpectOldNewOrOneLineError(const QString& path, const std::string& what)
    {
        SCOPED_TRACE(what);
        const ToolRun listing = Run({QStringLiteral("-l"), path}, kTimeLimitMs);
        ASSERT_TRUE(listing.finished && !listing.crashed);
        const QByteArray list = listing.out.endsWith("\t4200\n") ? Bytes(4200, 2) : Bytes(5600, 3);
        if (listing.Ok())
            ASSERT_EQ(listing.out, "s701.sng\t30000\nsonglist.bin\t" + QByteArray::number(list.size()) + '\n');
        else
            EXPECT_TRUE(listing.OneLineError()) << listing.err.toStdString();
        const std::pair<const char*, QByteArray> members[] = {{"s701.sng", Bytes(30000, 1)}, {"songlist.bin", list}};
        for (const auto& [name, bytes] : members) {
            const QString out = Path(QStringLiteral("out"));
            const ToolRun run = Run({QStringLiteral("-e"), path, QString::fromLatin1(name), out}, kTimeLimitMs);
            if (run.Ok())
                EXPECT_TRUE(listing.Ok() && ReadFile(out) == bytes) << name;
            else
                EXPECT_TRUE(run.OneLineError()) << name << ": " << run.err.toStdString();
        }
    }

    // A put-back into anything but an archive fails and leaves the file as it was.
    void ExpectPutBackRefused(const QString& path, const std::string& what) const
    {
        const auto contents = [&] { return QFileInfo(path).isFile() ? ReadFile(path) : QByteArray("not a file"); };
        const QByteArray before = contents();
        const ToolRun put = Run({QStringLiteral("-ar"), path, Path(QStringLiteral("member.bin"))}, kTimeLimitMs);
        EXPECT_TRUE(put.OneLineError()) << what << ": " << put.err.toStdString();
        EXPECT_EQ(contents(), before) << what;
    }

    QByteArray pristine;
};

TEST_F(ArchiveDamageTest, CutShortOrFlippedBitsGiveAnOldOrNewStateOrOneLineError)
{
    const qsizetype size = pristine.size();
    const auto near = [](qsizetype i, qsizetype edge) { return i >= edge - 20 && i < edge + 40; };
    for (qsizetype cut = 0; cut < size; ++cut) {
        if (cut % 211 == 0 || near(cut, 0) || near(cut, 4096) || near(cut, 8192) || near(cut, 12288) || near(cut, size - 120))
            ExpectOldNewOrOneLineError(Damaged(pristine.left(cut)), "cut at " + std::to_string(cut));
    }
    // The header, both slots, the data every 173 bytes and the last directory.
    for (qsizetype i = 0; i < size; ++i) {
        if (i < 16 || (i >= 4096 && i < 4128) || (i >= 8192 && i < 8224) || (i >= 12288 && i % 173 == 0) || i >= size - 100) {
            QByteArray image = pristine;
            image[i] = static_cast<char>(image[i] ^ (1 << (i % 8)));
            ExpectOldNewOrOneLineError(Damaged(image), "bit flipped at " + std::to_string(i));
        }
    }
}

TEST_F(ArchiveDamageTest, ForeignFilesAreRefusedAndNeverWrittenTo)
{
    const std::pair<const char*, QByteArray> foreign[] = {
        {"empty file", QByteArray()},
        {"WAV file", QByteArrayLiteral("RIFF\x24\x71\x02\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x02\x00") + Bytes(160000, 4)},
        {"magic then random bytes", "SNAR" + Bytes(100000, 6)},
        {"header without slots", pristine.left(4096) + QByteArray(8192, '\0')},
        {"header pages only", pristine.left(static_cast<qsizetype>(kData))},
    };
    for (const auto& [what, image] : foreign) {
        ExpectOldNewOrOneLineError(Damaged(image), what);
        ExpectPutBackRefused(Damaged(image), what);
    }
    ASSERT_TRUE(QDir(Path(QString())).mkpath(QStringLiteral("folder.big")));
    ASSERT_EQ(::mkfifo(Path(QStringLiteral("pipe.big")).toLocal8Bit().constData(), 0600), 0);
    for (const char* name : {"folder.big", "pipe.big", "absent.big"}) {
        ExpectOldNewOrOneLineError(Path(QString::fromLatin1(name)), name);
        ExpectPutBackRefused(Path(QString::fromLatin1(name)), name);
    }
}

TEST_F(ArchiveDamageTest, ForgedDirectoriesWithAbsurdValuesAreRefused)
{
    const std::pair<const char*, QByteArray> forged[] = {
        {"directory past the end", Forged({1, kData, 1ULL << 40, 0}, {})},
        {"directory offset overflowing", Forged({1, kHuge - 3, 100, 0}, std::vector<unsigned char>(200))},
        {"directory inside the header", Forged({1, 100, 64, 0}, {})},
        {"member count far beyond the bytes", ForgedDirectory(Directory(0xFFFFFFFF, {{kData, 0, 1, "a"}}))},
        {"member offset overflowing", ForgedDirectory(Directory(1, {{kHuge, 2, 1, "a"}}))},
        {"member past the directory", ForgedDirectory(Directory(1, {{kData, 1ULL << 50, 1, "a"}}))},
        {"member inside the header", ForgedDirectory(Directory(1, {{0, 10, 1, "a"}}))},
        {"name length past the end", ForgedDirectory(Directory(1, {{kData, 0, 65535, "a"}}))},
        {"empty name", ForgedDirectory(Directory(1, {{kData, 0, 0, ""}}))},
        {"name with a slash", ForgedDirectory(Directory(1, {{kData, 0, 11, "../../x.bin"}}))},
        {"name not UTF-8", ForgedDirectory(Directory(1, {{kData, 0, 2, "\xff\xfe"}}))},
        {"stray bytes after the entries", ForgedDirectory(Directory(0, {{0, 0, 0, ""}}))},
        {"the same member twice", ForgedDirectory(Directory(2, {{kData, 0, 12, "songlist.bin"}, {kData, 0, 12, "SONGLIST.BIN"}}))},
    };
    for (const auto& [what, image] : forged)
        ExpectOldNewOrOneLineError(Damaged(image), what);
}

TEST_F(ArchiveDamageTest, ASlotAtTheLastSequenceIsReadButNeverWrappedAround)
{
    const QString path = Damaged(ForgedDirectory(Directory(0, {}), kHuge));
    const ToolRun listing = Run({QStringLiteral("-l"), path});
    EXPECT_TRUE(listing.Ok());
    EXPECT_TRUE(listing.out.isEmpty());
    ExpectPutBackRefused(path, "last sequence");
}

constexpr int kIterations = 200;
constexpr qint64 kListSize = 6 << 20;
constexpr qint64 kStreamSize = 2 << 20;

// Starts addon2 and sends it SIGKILL after `delay`; true when the signal ended it.
bool RunAndKill(const QStringList& arguments, std::chrono::microseconds delay)
{
    QProcess process;
    process.start(Tool("addon2"), arguments);
    EXPECT_TRUE(process.waitForStarted());
    std::this_thread::sleep_for(delay);
    process.kill();
    EXPECT_TRUE(process.waitForFinished());
    return process.exitStatus() == QProcess::CrashExit;
}

TEST_F(ArchiveToolTest, AnArKilledAtAnyMomentLeavesTheOldOrTheNewMember)
{
    QDir(Path(QString())).mkpath(QStringLiteral("audio"));
    const QByteArray stream = Bytes(kStreamSize, 1);
    QByteArray current = Bytes(kListSize, 2);
    const QString archive = Create(QStringLiteral("audio/audio.big"),
        {{QStringLiteral("s701.sng"), stream}, {QStringLiteral("songlist.bin"), current}});
    const QString list = Path(QStringLiteral("audio/songlist.bin"));
    const QStringList putBack{QStringLiteral("-ar"), archive, Path(QStringLiteral("audio/songlist.*"))};
    const QByteArray listing = "s701.sng\t" + QByteArray::number(kStreamSize) + "\nsonglist.bin\t" + QByteArray::number(kListSize) + '\n';

    // Spread the kills over the whole length of an uninterrupted run, start-up and an
    // occasional compaction included.
    WriteFile(list, current);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(Run(putBack).Ok());
    std::uniform_int_distribution<std::int64_t> delays(0, clock.nsecsElapsed() / 1000 / 2);
    std::mt19937 generator(20261206);

    int killedMidway = 0;
    for (int iteration = 0; iteration < kIterations; ++iteration) {
        SCOPED_TRACE(iteration);
        const QByteArray next = Bytes(kListSize, 1000 + static_cast<std::uint32_t>(iteration));
        WriteFile(list, next);
        killedMidway += RunAndKill(putBack, std::chrono::microseconds(delays(generator))) ? 1 : 0;

        ASSERT_EQ(Listing(archive), listing);
        const auto extracted = Extract(archive, QStringLiteral("songlist.bin"));
        ASSERT_TRUE(extracted == current || extracted == next);
        current = *extracted;
        if (iteration % 25 == 0) {
            ASSERT_EQ(Extract(archive, QStringLiteral("s701.sng")), stream);
        }
    }
    EXPECT_GT(killedMidway, kIterations / 4);

    // A later run tidies what the killed ones left and still works.
    Put(archive, QStringLiteral("audio/songlist.bin"), Bytes(kListSize, 7));
    EXPECT_EQ(Extract(archive, QStringLiteral("songlist.bin")), Bytes(kListSize, 7));
    EXPECT_EQ(QDir(Path(QStringLiteral("audio"))).entryList(QDir::Files | QDir::Hidden),
        (QStringList{QStringLiteral("audio.big"), QStringLiteral("songlist.bin")}));
}

}  // namespace
}  // namespace sonorelle::test
