#include "tools/ArchiveToolHarness.h"

#include "addon2/ArchiveHeader.h"
#include "addon2/ArchiveLayout.h"
#include "addon2/ByteWriter.h"
#include "addon2/Crc32.h"
#include "addon2/DirectorySlot.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>

#include <sys/stat.h>

#include <chrono>
#include <limits>
#include <random>
#include <string>
#include <thread>

namespace sonorelle::test {
namespace {

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
class ArchiveDamageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString archive = tool.Create(QStringLiteral("good.big"),
            {{QStringLiteral("s701.sng"), Bytes(30000, 1)}, {QStringLiteral("songlist.bin"), Bytes(4200, 2)}});
        tool.Put(archive, QStringLiteral("songlist.bin"), Bytes(5600, 3));
        pristine = ReadFile(archive);
        WriteFile(tool.Path(QStringLiteral("member.bin")), "member");
    }

    QString Damaged(const QByteArray& image) const
    {
        WriteFile(tool.Path(QStringLiteral("damaged.big")), image);
        return tool.Path(QStringLiteral("damaged.big"));
    }

    void ExpectOldNewOrOneLineError(const QString& path, const std::string& what)
    {
        SCOPED_TRACE(what);
        const ToolRun listing = ArchiveToolHarness::Run({QStringLiteral("-l"), path}, kTimeLimitMs);
        ASSERT_TRUE(listing.finished && !listing.crashed);
        const QByteArray list = listing.out.endsWith("\t4200\n") ? Bytes(4200, 2) : Bytes(5600, 3);
        if (listing.Ok())
            ASSERT_EQ(listing.out, "s701.sng\t30000\nsonglist.bin\t" + QByteArray::number(list.size()) + '\n');
        else
            EXPECT_TRUE(listing.OneLineError()) << listing.err.toStdString();
        const std::pair<const char*, QByteArray> members[] = {{"s701.sng", Bytes(30000, 1)}, {"songlist.bin", list}};
        for (const auto& [name, bytes] : members) {
            const QString out = tool.Path(QStringLiteral("out"));
            const ToolRun run = ArchiveToolHarness::Run({QStringLiteral("-e"), path, QString::fromLatin1(name), out}, kTimeLimitMs);
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
        const ToolRun put = ArchiveToolHarness::Run({QStringLiteral("-ar"), path, tool.Path(QStringLiteral("member.bin"))}, kTimeLimitMs);
        EXPECT_TRUE(put.OneLineError()) << what << ": " << put.err.toStdString();
        EXPECT_EQ(contents(), before) << what;
    }

    ArchiveToolHarness tool;
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
    ASSERT_TRUE(QDir(tool.Path(QString())).mkpath(QStringLiteral("folder.big")));
    ASSERT_EQ(::mkfifo(tool.Path(QStringLiteral("pipe.big")).toLocal8Bit().constData(), 0600), 0);
    for (const char* name : {"folder.big", "pipe.big", "absent.big"}) {
        ExpectOldNewOrOneLineError(tool.Path(QString::fromLatin1(name)), name);
        ExpectPutBackRefused(tool.Path(QString::fromLatin1(name)), name);
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
    const ToolRun listing = ArchiveToolHarness::Run({QStringLiteral("-l"), path});
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

TEST(ArchiveKillTest, AnArKilledAtAnyMomentLeavesTheOldOrTheNewMember)
{
    ArchiveToolHarness tool;
    QDir(tool.Path(QString())).mkpath(QStringLiteral("audio"));
    const QByteArray stream = Bytes(kStreamSize, 1);
    QByteArray current = Bytes(kListSize, 2);
    const QString archive = tool.Create(QStringLiteral("audio/audio.big"),
        {{QStringLiteral("s701.sng"), stream}, {QStringLiteral("songlist.bin"), current}});
    const QString list = tool.Path(QStringLiteral("audio/songlist.bin"));
    const QStringList putBack{QStringLiteral("-ar"), archive, tool.Path(QStringLiteral("audio/songlist.*"))};
    const QByteArray listing = "s701.sng\t" + QByteArray::number(kStreamSize) + "\nsonglist.bin\t" + QByteArray::number(kListSize) + '\n';

    // Spread the kills over the whole length of an uninterrupted run, start-up and an
    // occasional compaction included.
    WriteFile(list, current);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(ArchiveToolHarness::Run(putBack).Ok());
    std::uniform_int_distribution<std::int64_t> delays(0, clock.nsecsElapsed() / 1000 / 2);
    std::mt19937 generator(20261206);

    int killedMidway = 0;
    for (int iteration = 0; iteration < kIterations; ++iteration) {
        SCOPED_TRACE(iteration);
        const QByteArray next = Bytes(kListSize, 1000 + static_cast<std::uint32_t>(iteration));
        WriteFile(list, next);
        killedMidway += RunAndKill(putBack, std::chrono::microseconds(delays(generator))) ? 1 : 0;

        ASSERT_EQ(ArchiveToolHarness::Listing(archive), listing);
        const auto extracted = tool.Extract(archive, QStringLiteral("songlist.bin"));
        ASSERT_TRUE(extracted == current || extracted == next);
        current = *extracted;
        if (iteration % 25 == 0) {
            ASSERT_EQ(tool.Extract(archive, QStringLiteral("s701.sng")), stream);
        }
    }
    EXPECT_GT(killedMidway, kIterations / 4);

    // A later run tidies what the killed ones left and still works.
    tool.Put(archive, QStringLiteral("audio/songlist.bin"), Bytes(kListSize, 7));
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("songlist.bin")), Bytes(kListSize, 7));
    EXPECT_EQ(QDir(tool.Path(QStringLiteral("audio"))).entryList(QDir::Files | QDir::Hidden),
        (QStringList{QStringLiteral("audio.big"), QStringLiteral("songlist.bin")}));
}

}  // namespace
}  // namespace sonorelle::test
