#include "tools/ArchiveToolHarness.h"

#include "addon2/ArchiveLayout.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <algorithm>

namespace sonorelle::test {
namespace {

constexpr qint64 kMiB = 1 << 20;

class ArchiveSpaceTest : public ::testing::Test {
protected:
    void Put(const QString& archive, const QString& name, const QByteArray& bytes)
    {
        const QString source = tool.Path(name);
        ArchiveToolHarness::Write(source, bytes);
        const auto result = ArchiveToolHarness::Run({QStringLiteral("-ar"), archive, source});
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    }

    QString Create(const QString& bigName, qint64 bigSize, const QByteArray& songList)
    {
        const QString big = tool.Path(bigName);
        const QString list = tool.Path(QStringLiteral("songlist.bin"));
        ArchiveToolHarness::Write(big, ArchiveToolHarness::Bytes(bigSize, 1));
        ArchiveToolHarness::Write(list, songList);
        const QString archive = tool.Path(QStringLiteral("audio.big"));
        const auto result = ArchiveToolHarness::Run({QStringLiteral("-c"), archive, big, list});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return archive;
    }

    ArchiveToolHarness tool;
};

TEST_F(ArchiveSpaceTest, PuttingBackASmallMemberGrowsABigArchiveByLittleMoreThanTheMember)
{
    const qint64 listSize = 10 * 1024;
    const QString archive = Create(QStringLiteral("s701.sng"), 64 * kMiB, ArchiveToolHarness::Bytes(listSize, 2));
    for (std::uint32_t round = 0; round < 3; ++round) {
        const qint64 before = QFileInfo(archive).size();
        Put(archive, QStringLiteral("songlist.bin"), ArchiveToolHarness::Bytes(listSize, 3 + round));
        const qint64 growth = QFileInfo(archive).size() - before;
        // The member plus a directory of two entries; never a rewrite.
        EXPECT_GE(growth, listSize);
        EXPECT_LE(growth, listSize + 512) << "round " << round;
    }
}

TEST_F(ArchiveSpaceTest, UnusedSpaceIsReclaimedWithinTheDocumentedBound)
{
    const qint64 bigSize = 8 * kMiB;
    const qint64 listSize = 3 * kMiB;
    const QString archive = Create(QStringLiteral("s701.sng"), bigSize, ArchiveToolHarness::Bytes(listSize, 4));
    // Writers work on the file behind a link; the compacted file must not
    // replace the link.
    const QString link = tool.Path(QStringLiteral("linked.big"));
    ASSERT_TRUE(QFile::link(archive, link));

    const qint64 live = bigSize + listSize;
    const qint64 overhead = static_cast<qint64>(ArchiveLayout::kDataStart) + 1024;  // header pages, directory
    const qint64 bound = live + overhead + static_cast<qint64>(ArchiveLayout::AllowedDeadBytes(live));
    qint64 largest = 0;
    int shrinks = 0;
    for (std::uint32_t round = 0; round < 20; ++round) {
        const qint64 before = QFileInfo(archive).size();
        Put(link, QStringLiteral("songlist.bin"), ArchiveToolHarness::Bytes(listSize, 10 + round));
        const qint64 after = QFileInfo(archive).size();
        EXPECT_LE(after, bound) << "round " << round;
        largest = std::max(largest, after);
        shrinks += after < before ? 1 : 0;
    }
    EXPECT_GE(shrinks, 2);
    // Small put-backs must not rewrite every time: the file grew well past its
    // live size between compactions.
    EXPECT_GT(largest, live + static_cast<qint64>(ArchiveLayout::kReclaimFloorBytes) / 2);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(tool.Extract(link, QStringLiteral("songlist.bin")), ArchiveToolHarness::Bytes(listSize, 29));
    EXPECT_EQ(tool.Extract(archive, QStringLiteral("s701.sng")), ArchiveToolHarness::Bytes(bigSize, 1));
}

}  // namespace
}  // namespace sonorelle::test
