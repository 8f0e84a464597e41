#include "platform/CdUnits.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace sonorelle {
namespace {

void writeCue(const QString& path, const QByteArray& binName)
{
    QFile cue(path);
    ASSERT_TRUE(cue.open(QIODevice::WriteOnly));
    cue.write("FILE \"" + binName + "\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
}

void writeBin(const QString& path)
{
    QFile bin(path);
    ASSERT_TRUE(bin.open(QIODevice::WriteOnly));
    bin.write(QByteArray(2352 * 75, '\0'));
}

QList<CdUnit> systemDrives(const QList<CdUnit>& units)
{
    QList<CdUnit> drives;
    std::copy_if(units.begin(), units.end(), std::back_inserter(drives),
                 [](const CdUnit& unit) { return !unit.isImage && !unit.isPlaceholder(); });
    return drives;
}

TEST(CdUnitsTest, ImagesFollowTheDrivesAndTellAMissingBin)
{
    QTemporaryDir dir;
    const QString good = dir.path() + QStringLiteral("/Good Disc.cue");
    const QString lonely = dir.path() + QStringLiteral("/lonely.cue");
    writeCue(good, "Good Disc.bin");
    writeBin(dir.path() + QStringLiteral("/Good Disc.bin"));
    // The FILE line names an existing file, but libcdio opens lonely.bin.
    writeCue(lonely, "track.bin");
    writeBin(dir.path() + QStringLiteral("/track.bin"));

    const QList<CdUnit> units =
        ListCDDrives(good + QStringLiteral(" ; ;") + dir.path() + QStringLiteral("/gone.cue;") + lonely);
    const qsizetype drives = systemDrives(units).size();
    ASSERT_EQ(units.size(), drives + 2);
    const CdUnit& first = units[drives];
    EXPECT_EQ(first.label, QStringLiteral("Good Disc.cue"));
    EXPECT_EQ(first.source, good);
    EXPECT_TRUE(first.isImage);
    EXPECT_EQ(first.problem, QString());
    const CdUnit& second = units[drives + 1];
    EXPECT_EQ(second.label, QStringLiteral("lonely.cue"));
    EXPECT_TRUE(second.problem.contains(dir.path() + QStringLiteral("/lonely.bin"))) << second.problem.toStdString();
    EXPECT_EQ(DiscImageProblem(lonely), second.problem);

    writeBin(dir.path() + QStringLiteral("/lonely.bin"));
    EXPECT_EQ(DiscImageProblem(lonely), QString());
}

TEST(CdUnitsTest, NeverEmpty)
{
    const QList<CdUnit> units = ListCDDrives(QStringLiteral("/nowhere/disc.cue"));
    ASSERT_FALSE(units.isEmpty());
    if (!systemDrives(units).isEmpty())
        GTEST_SKIP() << "this machine has a CD drive";
    ASSERT_EQ(units.size(), 1);
    EXPECT_TRUE(units[0].isPlaceholder());
    EXPECT_EQ(units[0].label, QStringLiteral("(no CD drive)"));
}

}  // namespace
}  // namespace sonorelle
