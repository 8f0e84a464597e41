#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"
#include "support/FileBytes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace sonorelle {
namespace {

using Placement = TagRecordFile::Placement;
using ReadResult = TagRecordFile::ReadResult;

QByteArray audio(qsizetype size)
{
    return QByteArray(size, 'a');
}

TEST(TagRecordTest, FieldsArePaddedOrCutToTheirWidthsInLatin1)
{
    const QString thirty(30, u'x');
    EXPECT_EQ(TagRecord::forSlot(thirty, thirty + QStringLiteral("yz"), QString(), QStringLiteral("20081"),
                                 QStringLiteral("Café Ω"))
                  .toBytes(),
              "TAG" + thirty.toLatin1() + thirty.toLatin1() + QByteArray(30, ' ') + "2008" + "Caf\xe9 ?" +
                  QByteArray(24, ' ') + "7");
    const TagRecord record = TagRecord::forSlot(QStringLiteral("Café Ω"), {}, {}, {}, {});
    EXPECT_EQ(TagRecord::fromBytes(record.toBytes()).StrTitle, QStringLiteral("Café ?").leftJustified(30));
}

// What a file holds before, how it reads, and where a new record goes.
struct Placing {
    const char* name;
    QByteArray before;
    ReadResult read;
    Placement placement;
    qsizetype kept;  // leading bytes of `before` that stay
};

void PrintTo(const Placing& param, std::ostream* out)
{
    *out << param.name;
}

class TagRecordPlacementTest : public ::testing::TestWithParam<Placing> {};

TEST_P(TagRecordPlacementTest, ReadsAndPlacesTheRecord)
{
    const Placing& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s01.sng"));
    test::WriteFile(path, c.before);
    TagRecord StrTg;
    EXPECT_EQ(TagRecordFile::read(path, StrTg), c.read);

    const TagRecord record = TagRecord::forSlot(QStringLiteral("New"), QStringLiteral("Artist"), {}, {}, {});
    QString error;
    ASSERT_TRUE(TagRecordFile::write(path, record, c.placement, &error)) << error.toStdString();
    EXPECT_EQ(test::ReadFile(path), c.before.left(c.kept) + record.toBytes());
    ASSERT_EQ(TagRecordFile::read(path, StrTg), ReadResult::Tagged);
    EXPECT_EQ(StrTg.StrTitle, QStringLiteral("New").leftJustified(30));
}

const QByteArray oldRecord = "TAG" + QByteArray(125, 'q');

INSTANTIATE_TEST_SUITE_P(
    Files, TagRecordPlacementTest,
    ::testing::Values(Placing{"Untagged", audio(5000), ReadResult::Untagged, Placement::ReplaceAnyCaseTag, 5000},
                      Placing{"Tagged", audio(5000) + oldRecord, ReadResult::Tagged, Placement::ReplaceAnyCaseTag, 5000},
                      Placing{"LowerCaseMarker", audio(300) + "tAg" + QByteArray(125, 'q'), ReadResult::Untagged,
                              Placement::ReplaceAnyCaseTag, 300},
                      Placing{"Of127Bytes", "TAG" + audio(124), ReadResult::TooShort, Placement::ReplaceAnyCaseTag, 127},
                      Placing{"Of128BytesUntagged", audio(128), ReadResult::Untagged, Placement::ReplaceAnyCaseTag, 128},
                      Placing{"Of128BytesTagged", oldRecord, ReadResult::Tagged, Placement::ReplaceAnyCaseTag, 0},
                      Placing{"AppendNeverReplaces", audio(200) + oldRecord, ReadResult::Tagged, Placement::Append,
                              328}),
    [](const ::testing::TestParamInfo<Placing>& test) { return std::string(test.param.name); });

TEST(TagRecordFileTest, MissingFileIsNeitherReadNorCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gone.sng"));
    TagRecord StrTg;
    EXPECT_EQ(TagRecordFile::read(path, StrTg), ReadResult::Missing);
    QString error;
    EXPECT_FALSE(TagRecordFile::write(path, StrTg, Placement::ReplaceAnyCaseTag, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace sonorelle
