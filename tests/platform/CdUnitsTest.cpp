#include "platform/CdUnits.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace sonorelle {
namespace {

void writeImage(const QString& cue, const QByteArray& binName, const QString& bin)
{
    test::WriteFile(cue, "FILE \"" + binName + "\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");
    test::WriteFile(bin, QByteArray(2352 * 75, '\0'));
}

qsizetype systemDriveCount(const QList<CdUnit>& units)
{
    return std::count_if(units.begin(), units.end(),
                         [](const CdUnit& unit) { return !unit.isImage && !unit.isPlaceholder(); });
}

TEST(CdUnitsTest, ImagesFollowTheDrivesAndTellAMissingBin)
{
    QTemporaryDir dir;
    const QString good = dir.path() + QStringLiteral("/Good Disc.cue");
    const QString lonely = dir.path() + QStringLiteral("/lonely.cue");
    writeImage(good, "Good Disc.bin", dir.path() + QStringLiteral("/Good Disc.bin"));
    // The FILE line names an existing file, but libcdio opens lonely.bin.
    writeImage(lonely, "track.bin", dir.path() + QStringLiteral("/track.bin"));

    const QList<CdUnit> units =
        ListCDDrives(good + QStringLiteral(" ; ;") + dir.path() + QStringLiteral("/gone.cue;") + lonely);
    const qsizetype drives = systemDriveCount(units);
    ASSERT_EQ(units.size(), drives + 2);
    const CdUnit& first = units[drives];
    EXPECT_EQ(std::tuple(first.label, first.source, first.isImage, first.problem),
              std::tuple(QStringLiteral("Good Disc.cue"), good, true, QString()));
    const CdUnit& second = units[drives + 1];
    EXPECT_EQ(second.label, QStringLiteral("lonely.cue"));
    EXPECT_TRUE(second.problem.contains(dir.path() + QStringLiteral("/lonely.bin"))) << second.problem.toStdString();
    EXPECT_EQ(DiscImageProblem(lonely), second.problem);

    test::WriteFile(dir.path() + QStringLiteral("/lonely.bin"), QByteArray(2352 * 75, '\0'));
    EXPECT_EQ(DiscImageProblem(lonely), QString());
}

}  // namespace
}  // namespace sonorelle
