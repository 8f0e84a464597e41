#include "tools/ArchiveToolHarness.h"

#include "addon2/ArchiveHeader.h"
#include "addon2/ArchiveLayout.h"
#include "addon2/ByteWriter.h"
#include "addon2/Crc32.h"
#include "addon2/DirectorySlot.h"

#include <QDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sonorelle::test {
namespace {

constexpr int kTimeLimitMs = 20000;
constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();

struct ArchiveState {
    QByteArray listing;
    std::map<QString, QByteArray> members;
};

// A valid archive that has been through -c and one -ar, so both slots are in
// use, and checks that whatever becomes of its bytes, addon2 answers with a
// whole old or new state or with one line of error, never a crash or a hang.
class ArchiveDamageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        oldState.members = {{QStringLiteral("s701.sng"), ArchiveToolHarness::Bytes(30000, 1)},
            {QStringLiteral("songlist.bin"), ArchiveToolHarness::Bytes(4200, 2)}};
        newState.members = oldState.members;
        newState.members[QStringLiteral("songlist.bin")] = ArchiveToolHarness::Bytes(5600, 3);
        oldState.listing = "s701.sng\t30000\nsonglist.bin\t4200\n";
        newState.listing = "s701.sng\t30000\nsonglist.bin\t5600\n";

        const QString archive = tool.Path(QStringLiteral("good.big"));
        const QString stream = tool.Path(QStringLiteral("s701.sng"));
        const QString list = tool.Path(QStringLiteral("songlist.bin"));
        ArchiveToolHarness::Write(stream, oldState.members[QStringLiteral("s701.sng")]);
        ArchiveToolHarness::Write(list, oldState.members[QStringLiteral("songlist.bin")]);
        ASSERT_EQ(ArchiveToolHarness::Run({QStringLiteral("-c"), archive, stream, list}).exitCode, 0);
        ArchiveToolHarness::Write(list, newState.members[QStringLiteral("songlist.bin")]);
        ASSERT_EQ(ArchiveToolHarness::Run({QStringLiteral("-ar"), archive, list}).exitCode, 0);
        pristine = ArchiveToolHarness::Read(archive);
    }

    void ExpectOldNewOrOneLineError(const QByteArray& image, const std::string& what)
    {
        const QString damaged = tool.Path(QStringLiteral("damaged.big"));
        ArchiveToolHarness::Write(damaged, image);
        ExpectOldNewOrOneLineErrorAt(damaged, what);
    }

    void ExpectOldNewOrOneLineErrorAt(const QString& path, const std::string& what)
    {
        const auto listing = ArchiveToolHarness::Run({QStringLiteral("-l"), path}, kTimeLimitMs);
        ASSERT_TRUE(listing.finished && !listing.crashed) << what;
        if (listing.exitCode != 0) {
            EXPECT_TRUE(listing.OneLineError()) << what << ": " << listing.err.toStdString();
            EXPECT_TRUE(Extract(path, QStringLiteral("songlist.bin")).OneLineError()) << what;
            return;
        }
        const ArchiveState* state = listing.out == oldState.listing ? &oldState
            : listing.out == newState.listing                      ? &newState
                                                                   : nullptr;
        ASSERT_NE(state, nullptr) << what << " lists " << listing.out.toStdString();
        for (const auto& [name, bytes] : state->members) {
            const auto result = Extract(path, name);
            ASSERT_TRUE(result.finished && !result.crashed) << what;
            if (result.exitCode == 0)
                EXPECT_EQ(ArchiveToolHarness::Read(tool.Path(QStringLiteral("out"))), bytes) << what;
            else
                EXPECT_TRUE(result.OneLineError()) << what << ": " << result.err.toStdString();
        }
    }

    ArchiveToolHarness::Result Extract(const QString& archive, const QString& member) const
    {
        return ArchiveToolHarness::Run({QStringLiteral("-e"), archive, member, tool.Path(QStringLiteral("out"))}, kTimeLimitMs);
    }

    // Header, then the given slot in the first slot page, then `payload` at the
    // start of the data area.
    static QByteArray Forged(const DirectorySlot& slot, const std::vector<unsigned char>& payload)
    {
        QByteArray image(static_cast<qsizetype>(ArchiveLayout::kDataStart), '\0');
        const auto header = ArchiveHeader::Encode();
        const auto slotBytes = slot.Encode();
        std::copy(header.begin(), header.end(), image.begin());
        std::copy(slotBytes.begin(), slotBytes.end(), image.begin() + ArchiveLayout::kSlotOffsets[0]);
        image.append(reinterpret_cast<const char*>(payload.data()), static_cast<qsizetype>(payload.size()));
        return image;
    }

    // A directory at the start of the data area, named by a slot with good checksums.
    static QByteArray ForgedDirectory(const std::vector<unsigned char>& directory, std::uint64_t sequence = 1)
    {
        return Forged({sequence, ArchiveLayout::kDataStart, directory.size(), Crc32::Of(directory)}, directory);
    }

    static std::vector<unsigned char> Directory(std::uint32_t count, std::uint64_t offset, std::uint64_t size,
        std::uint16_t nameLength, const std::string& name)
    {
        ByteWriter writer;
        writer.Bytes(ArchiveLayout::kDirectoryMagic);
        writer.U32(count);
        writer.U64(offset);
        writer.U64(size);
        writer.U32(0);
        writer.U16(nameLength);
        writer.Bytes({reinterpret_cast<const unsigned char*>(name.data()), name.size()});
        return writer.Take();
    }

    ArchiveToolHarness tool;
    ArchiveState oldState;
    ArchiveState newState;
    QByteArray pristine;
};

TEST_F(ArchiveDamageTest, ACutShortArchiveGivesAnOldOrNewStateOrOneLineError)
{
    std::set<qsizetype> cuts;
    for (qsizetype cut = 0; cut < pristine.size(); cut += 211)
        cuts.insert(cut);
    for (const qsizetype edge : {qsizetype{0}, qsizetype{4096}, qsizetype{8192}, qsizetype{12288}, pristine.size() - 120}) {
        for (qsizetype cut = std::max<qsizetype>(0, edge - 20); cut < std::min(pristine.size(), edge + 40); ++cut)
            cuts.insert(cut);
    }
    for (const qsizetype cut : cuts)
        ExpectOldNewOrOneLineError(pristine.left(cut), "cut at " + std::to_string(cut));
}

TEST_F(ArchiveDamageTest, FlippedBitsGiveAnOldOrNewStateOrOneLineError)
{
    std::set<qsizetype> positions;
    for (qsizetype i = 0; i < 16; ++i)
        positions.insert(i);
    for (const auto slot : ArchiveLayout::kSlotOffsets) {
        for (qsizetype i = 0; i < 32; ++i)
            positions.insert(static_cast<qsizetype>(slot) + i);
    }
    for (qsizetype i = static_cast<qsizetype>(ArchiveLayout::kDataStart); i < pristine.size(); i += 173)
        positions.insert(i);
    for (qsizetype i = pristine.size() - 100; i < pristine.size(); ++i)
        positions.insert(i);
    for (const qsizetype position : positions) {
        QByteArray image = pristine;
        image[position] = static_cast<char>(image[position] ^ (1 << (position % 8)));
        ExpectOldNewOrOneLineError(image, "bit flipped at " + std::to_string(position));
    }
}

TEST_F(ArchiveDamageTest, ForeignFilesAreRefusedAndNeverWrittenTo)
{
    QByteArray wave = QByteArrayLiteral("RIFF\x24\x71\x02\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x02\x00");
    wave += ArchiveToolHarness::Bytes(160000, 4);
    const QByteArray headerOnly = pristine.left(static_cast<qsizetype>(ArchiveLayout::kDataStart));
    QByteArray slotsWiped = pristine;
    slotsWiped.replace(4096, 8192, QByteArray(8192, '\0'));
    const std::pair<const char*, QByteArray> foreign[] = {
        {"empty file", QByteArray()},
        {"three bytes", QByteArrayLiteral("SNA")},
        {"WAV file", wave},
        {"text", QByteArray(5000, 'a')},
        {"random bytes", ArchiveToolHarness::Bytes(100000, 5)},
        {"magic then random bytes", "SNAR" + ArchiveToolHarness::Bytes(100000, 6)},
        {"header without slots", QByteArray(pristine.left(4096)) + QByteArray(8192, '\0')},
        {"both slots wiped", slotsWiped},
        {"header pages only", headerOnly},
    };
    const QString path = tool.Path(QStringLiteral("foreign.big"));
    ArchiveToolHarness::Write(tool.Path(QStringLiteral("member.bin")), "member");
    for (const auto& [what, image] : foreign) {
        ArchiveToolHarness::Write(path, image);
        ExpectOldNewOrOneLineErrorAt(path, what);
        const auto put = ArchiveToolHarness::Run({QStringLiteral("-ar"), path, tool.Path(QStringLiteral("member.bin"))}, kTimeLimitMs);
        EXPECT_TRUE(put.OneLineError()) << what;
        EXPECT_EQ(ArchiveToolHarness::Read(path), image) << what;
    }

    ASSERT_TRUE(QDir(tool.Path(QString())).mkpath(QStringLiteral("folder.big")));
    ASSERT_EQ(::mkfifo(tool.Path(QStringLiteral("pipe.big")).toLocal8Bit().constData(), 0600), 0);
    for (const char* name : {"folder.big", "pipe.big", "absent.big"}) {
        ExpectOldNewOrOneLineErrorAt(tool.Path(QString::fromLatin1(name)), name);
        const auto put = ArchiveToolHarness::Run({QStringLiteral("-ar"), tool.Path(QString::fromLatin1(name)),
            tool.Path(QStringLiteral("member.bin"))}, kTimeLimitMs);
        EXPECT_TRUE(put.OneLineError()) << name;
    }
}

TEST_F(ArchiveDamageTest, ForgedDirectoriesWithAbsurdValuesAreRefused)
{
    const std::uint64_t data = ArchiveLayout::kDataStart;
    const std::pair<const char*, QByteArray> forged[] = {
        {"directory past the end", Forged({1, data, 1ULL << 40, 0}, {})},
        {"directory offset overflowing", Forged({1, kHuge - 3, 100, 0}, std::vector<unsigned char>(200))},
        {"directory inside the header", Forged({1, 100, 64, 0}, {})},
        {"member count far beyond the bytes", ForgedDirectory(Directory(0xFFFFFFFF, data, 0, 1, "a"))},
        {"member offset overflowing", ForgedDirectory(Directory(1, kHuge, 2, 1, "a"))},
        {"member past the directory", ForgedDirectory(Directory(1, data, 1ULL << 50, 1, "a"))},
        {"member inside the header", ForgedDirectory(Directory(1, 0, 10, 1, "a"))},
        {"name length past the end", ForgedDirectory(Directory(1, data, 0, 65535, "a"))},
        {"empty name", ForgedDirectory(Directory(1, data, 0, 0, ""))},
        {"name with a slash", ForgedDirectory(Directory(1, data, 0, 11, "../../x.bin"))},
        {"name with a newline", ForgedDirectory(Directory(1, data, 0, 3, "a\nb"))},
        {"name not UTF-8", ForgedDirectory(Directory(1, data, 0, 2, "\xff\xfe"))},
        {"stray bytes after the entries", ForgedDirectory(Directory(0, 0, 0, 0, ""))},
    };
    for (const auto& [what, image] : forged)
        ExpectOldNewOrOneLineError(image, what);

    // The same name twice, in different case.
    ByteWriter twice;
    twice.Bytes(ArchiveLayout::kDirectoryMagic);
    twice.U32(2);
    for (const std::string name : {"songlist.bin", "SONGLIST.BIN"}) {
        twice.U64(data);
        twice.U64(0);
        twice.U32(0);
        twice.U16(static_cast<std::uint16_t>(name.size()));
        twice.Bytes({reinterpret_cast<const unsigned char*>(name.data()), name.size()});
    }
    ExpectOldNewOrOneLineError(ForgedDirectory(twice.Take()), "the same member twice");
}

TEST_F(ArchiveDamageTest, ASlotAtTheLastSequenceIsReadButNeverWrappedAround)
{
    ByteWriter empty;
    empty.Bytes(ArchiveLayout::kDirectoryMagic);
    empty.U32(0);
    const QByteArray image = ForgedDirectory(empty.Take(), kHuge);
    const QString path = tool.Path(QStringLiteral("last.big"));
    ArchiveToolHarness::Write(path, image);
    const auto listing = ArchiveToolHarness::Run({QStringLiteral("-l"), path});
    EXPECT_EQ(listing.exitCode, 0);
    EXPECT_TRUE(listing.out.isEmpty());

    ArchiveToolHarness::Write(tool.Path(QStringLiteral("member.bin")), "member");
    const auto put = ArchiveToolHarness::Run({QStringLiteral("-ar"), path, tool.Path(QStringLiteral("member.bin"))});
    EXPECT_TRUE(put.OneLineError()) << put.err.toStdString();
    EXPECT_EQ(ArchiveToolHarness::Read(path), image);
}

}  // namespace
}  // namespace sonorelle::test
