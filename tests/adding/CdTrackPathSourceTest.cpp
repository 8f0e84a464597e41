#include "adding/CdTrackPathSource.h"
#include "app/CdUnitList.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

// Which unit a track's path names: a listed unit (also through a link), an image that
// is not listed, the unit chosen for ripping for a bare name, or none.
TEST(CdTrackPathSourceTest, ATrackPathNamesItsUnit)
{
    QTemporaryDir dir;
    const QString listed = dir.filePath(QStringLiteral("listed.cue"));
    const QString other = dir.filePath(QStringLiteral("other.CUE"));
    test::WriteFile(listed, "cue");
    test::WriteFile(other, "cue");
    ASSERT_TRUE(QFile::link(listed, dir.filePath(QStringLiteral("link.cue"))));
    CdUnitList units;
    units.fill({CdUnit{QStringLiteral("Drive"), QStringLiteral("/dev/sr7"), false, {}},
                CdUnit{QStringLiteral("Listed"), listed, true, {}}});
    units.select(0);

    struct Row {
        QString track;
        QString source;  // "" when no unit is named
        QString label;
    };
    const Row rows[] = {
        {QStringLiteral("Track03.cda"), QStringLiteral("/dev/sr7"), QStringLiteral("Drive")},
        {listed + QStringLiteral("/Track03.cda"), listed, QStringLiteral("Listed")},
        {dir.filePath(QStringLiteral("link.cue/Track01.cda")), listed, QStringLiteral("Listed")},
        {other + QStringLiteral("/Track02.cda"), other, QStringLiteral("other.CUE")},
        {dir.filePath(QStringLiteral("Track02.cda")), {}, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.track.toStdString());
        QString error;
        const std::optional<CdUnit> unit = CdTrackPathSource::unitOf(row.track, units, &error);
        EXPECT_EQ(unit ? unit->source : QString(), row.source);
        EXPECT_EQ(unit ? unit->label : QString(), row.label);
        EXPECT_EQ(error.isEmpty(), unit.has_value()) << error.toStdString();
    }
    units.select(-1);
    QString error;
    EXPECT_FALSE(CdTrackPathSource::unitOf(QStringLiteral("Track03.cda"), units, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("Setup"))) << error.toStdString();
}

}  // namespace
}  // namespace sonorelle
