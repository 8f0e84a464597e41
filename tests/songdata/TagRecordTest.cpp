#include "platform/CodePage.h"
#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"
#include "support/FileBytes.h"
#include "support/NamedRows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::PrintTo;
using Placement = TagRecordFile::Placement;
using ReadResult = TagRecordFile::ReadResult;

QByteArray audio(qsizetype size)
{
    return QByteArray(size, 'a');
}

const CodePage western(1252);

TEST(TagRecordTest, FieldsArePaddedOrCutToTheirWidthsInTheCodePage)
{
    const QString thirty(30, u'x');
    const CodePage cyrillic(1251);
    EXPECT_EQ(TagRecord::forSlot(thirty, thirty + QStringLiteral("yz"), QString(), QStringLiteral("20081"),
                                 QString::fromUtf8("Ёлка"))
                  .toBytes(cyrillic),
              "TAG" + thirty.toLatin1() + thirty.toLatin1() + QByteArray(30, ' ') + "2008" + "\xA8\xEB\xEA\xE0"
                  + QByteArray(26, ' ') + "7");

    // Two bytes a character: whole characters only, the rest blanks.
    const CodePage japanese(932);
    const QByteArray wide = *TagRecord::forSlot(QString(16, QChar(0x6771)), {}, {}, {}, {}).toBytes(japanese);
    EXPECT_EQ(wide.mid(3, 30), QByteArray("\x93\x8C").repeated(15));
    EXPECT_EQ(wide.size(), TagRecord::Size);
}

TEST(TagRecordTest, TextTheCodePageCannotHoldIsRefusedAndNamed)
{
    TagRecord::Field refused = TagRecord::Field::Title;
    const TagRecord record = TagRecord::forSlot(QStringLiteral("Caf\u00e9"), {}, {}, {}, QStringLiteral("\u03a9"));
    EXPECT_EQ(record.toBytes(western, &refused), std::nullopt);
    EXPECT_EQ(refused, TagRecord::Field::Comment);
    EXPECT_EQ(record.toBytes(CodePage(1253), &refused), std::nullopt) << "Greek has no é";
    EXPECT_EQ(refused, TagRecord::Field::Title);
    // Beyond the width nothing is stored, so nothing is refused.
    EXPECT_TRUE(TagRecord::forSlot(QString(30, u'x') + QStringLiteral("\u03a9"), {}, {}, {}, {}).toBytes(western));
}

// What a file holds before, how it reads, and where a new record goes.
struct Placing {
    const char* name;
    QByteArray before;
    ReadResult read;
    Placement placement;
    qsizetype kept;  // leading bytes of `before` that stay
};

class TagRecordPlacementTest : public ::testing::TestWithParam<Placing> {};

TEST_P(TagRecordPlacementTest, ReadsAndPlacesTheRecord)
{
    const Placing& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s01.sng"));
    test::WriteFile(path, c.before);
    TagRecord StrTg;
    EXPECT_EQ(TagRecordFile::read(path, StrTg, western), c.read);

    const QByteArray record = *TagRecord::forSlot(QStringLiteral("New"), QStringLiteral("Artist"), {}, {}, {}).toBytes(western);
    QString error;
    ASSERT_TRUE(TagRecordFile::write(path, record, c.placement, &error)) << error.toStdString();
    EXPECT_EQ(test::ReadFile(path), c.before.left(c.kept) + record);
    ASSERT_EQ(TagRecordFile::read(path, StrTg, western), ReadResult::Tagged);
    EXPECT_EQ(StrTg.StrTitle, QStringLiteral("New").leftJustified(30));
}

const QByteArray oldRecord = "TAG" + QByteArray(125, 'q');

INSTANTIATE_TEST_SUITE_P(
    Files, TagRecordPlacementTest,
    ::testing::Values(Placing{"Tagged", audio(5000) + oldRecord, ReadResult::Tagged, Placement::ReplaceAnyCaseTag, 5000},
                      Placing{"LowerCaseMarker", audio(300) + "tAg" + QByteArray(125, 'q'), ReadResult::Untagged,
                              Placement::ReplaceAnyCaseTag, 300},
                      Placing{"Of127Bytes", "TAG" + audio(124), ReadResult::TooShort, Placement::ReplaceAnyCaseTag, 127},
                      Placing{"Of128BytesUntagged", audio(128), ReadResult::Untagged, Placement::ReplaceAnyCaseTag, 128},
                      Placing{"AppendNeverReplaces", audio(200) + oldRecord, ReadResult::Tagged, Placement::Append,
                              328}),
    [](const ::testing::TestParamInfo<Placing>& test) { return std::string(test.param.name); });

TEST(TagRecordFileTest, MissingFileIsNotRead)
{
    QTemporaryDir dir;
    TagRecord StrTg;
    const QString gone = dir.filePath(QStringLiteral("gone.sng"));
    EXPECT_EQ(TagRecordFile::read(gone, StrTg, western), ReadResult::Missing);
}

}  // namespace
}  // namespace sonorelle
