#include "songdata/TagRecord.h"
#include "songdata/TagRecordFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

class TagRecordFileTest : public ::testing::Test {
protected:
    QString makeFile(const QByteArray& content)
    {
        const QString path = dir.filePath(QStringLiteral("s01.sng"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        return path;
    }
    static QByteArray contentOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray audio(qsizetype size) { return QByteArray(size, 'a'); }
    static QByteArray write(const QString& path, const QString& title)
    {
        const TagRecord record = TagRecord::forSlot(title, QStringLiteral("Artist"), {}, QStringLiteral("2008"), {});
        QString error;
        EXPECT_TRUE(TagRecordFile::write(path, record, TagRecordFile::Placement::ReplaceAnyCaseTag, &error))
            << error.toStdString();
        return record.toBytes();
    }

    QTemporaryDir dir;
};

TEST(TagRecordTest, FieldsArePaddedOrCutToTheirWidths)
{
    const QString thirty(30, u'x');
    const QByteArray bytes = TagRecord::forSlot(thirty, thirty + QStringLiteral("yz"), QString(), QStringLiteral("20081"),
                                                QStringLiteral("c"))
                                 .toBytes();
    ASSERT_EQ(bytes.size(), 128);
    EXPECT_EQ(bytes.left(3), "TAG");
    EXPECT_EQ(bytes.mid(3, 30), thirty.toLatin1());
    EXPECT_EQ(bytes.mid(33, 30), thirty.toLatin1());
    EXPECT_EQ(bytes.mid(63, 30), QByteArray(30, ' '));
    EXPECT_EQ(bytes.mid(93, 4), "2008");
    EXPECT_EQ(bytes.mid(97, 30), "c" + QByteArray(29, ' '));
    EXPECT_EQ(bytes.at(127), '7');
}

TEST(TagRecordTest, TextIsLatin1WithUnknownCharactersAsQuestionMarks)
{
    const TagRecord record = TagRecord::forSlot(QStringLiteral("Café Ω"), {}, {}, {}, {});
    EXPECT_EQ(record.toBytes().mid(3, 6), QByteArray("Caf\xe9 ?"));
    EXPECT_EQ(TagRecord::fromBytes(record.toBytes()).StrTitle.left(6), QStringLiteral("Café ?"));
}

TEST_F(TagRecordFileTest, FirstWriteAppendsAndSecondReplaces)
{
    const QString path = makeFile(audio(5000));
    write(path, QStringLiteral("First"));
    const QByteArray second = write(path, QStringLiteral("Second"));
    const QByteArray content = contentOf(path);
    EXPECT_EQ(content.size(), 5000 + 128);
    EXPECT_EQ(content.left(5000), audio(5000));
    EXPECT_EQ(content.right(128), second);

    TagRecord StrTg;
    ASSERT_EQ(TagRecordFile::read(path, StrTg), TagRecordFile::ReadResult::Tagged);
    EXPECT_EQ(StrTg.StrTitle, QStringLiteral("Second").leftJustified(30));
}

TEST_F(TagRecordFileTest, LowerCaseMarkerIsUntaggedForReadersButReplacedByWriters)
{
    const QByteArray stale = "tAg" + QByteArray(125, 'q');
    const QString path = makeFile(audio(300) + stale);
    TagRecord StrTg;
    EXPECT_EQ(TagRecordFile::read(path, StrTg), TagRecordFile::ReadResult::Untagged);

    const QByteArray record = write(path, QStringLiteral("New"));
    EXPECT_EQ(contentOf(path), audio(300) + record);
}

TEST_F(TagRecordFileTest, ShortFilesNeverCarryARecordAndGetOneAppended)
{
    const QString path = makeFile("TAG" + audio(124));
    TagRecord StrTg;
    EXPECT_EQ(TagRecordFile::read(path, StrTg), TagRecordFile::ReadResult::TooShort);
    const QByteArray record = write(path, QStringLiteral("T"));
    EXPECT_EQ(contentOf(path), "TAG" + audio(124) + record);
}

TEST_F(TagRecordFileTest, FileOfExactly128Bytes)
{
    const QString untagged = makeFile(audio(128));
    const QByteArray record = write(untagged, QStringLiteral("T"));
    EXPECT_EQ(contentOf(untagged), audio(128) + record);

    const QString tagged = makeFile("TAG" + audio(125));
    TagRecord StrTg;
    EXPECT_EQ(TagRecordFile::read(tagged, StrTg), TagRecordFile::ReadResult::Tagged);
    EXPECT_EQ(contentOf(tagged).size(), 128);
    const QByteArray replaced = write(tagged, QStringLiteral("T"));
    EXPECT_EQ(contentOf(tagged), replaced);
}

TEST_F(TagRecordFileTest, AppendPlacementNeverReplaces)
{
    const QByteArray audioEndingLikeATag = audio(200) + "TAG" + audio(125);
    const QString path = makeFile(audioEndingLikeATag);
    QString error;
    const TagRecord record = TagRecord::forSlot(QStringLiteral("T"), {}, {}, {}, {});
    ASSERT_TRUE(TagRecordFile::write(path, record, TagRecordFile::Placement::Append, &error));
    EXPECT_EQ(contentOf(path), audioEndingLikeATag + record.toBytes());
}

TEST_F(TagRecordFileTest, MissingFileIsNeitherReadNorCreated)
{
    const QString path = dir.filePath(QStringLiteral("gone.sng"));
    TagRecord StrTg;
    EXPECT_EQ(TagRecordFile::read(path, StrTg), TagRecordFile::ReadResult::Missing);
    QString error;
    EXPECT_FALSE(TagRecordFile::write(path, StrTg, TagRecordFile::Placement::ReplaceAnyCaseTag, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace sonorelle
