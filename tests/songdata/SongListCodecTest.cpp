#include "songdata/SongListRecord.h"

#include <QList>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

SongListRecord record(const QString& name, const QString& artist, const QString& title = {},
                      const QString& album = {})
{
    SongListRecord entry;
    entry.streamName = name;
    entry.artist = artist;
    entry.title = title;
    entry.album = album;
    return entry;
}

QByteArray zeroPadded(const QByteArray& text, qsizetype width)
{
    return text + QByteArray(width - text.size(), '\0');
}

QByteArray artistField(const SongListRecord& entry)
{
    return entry.toBytes().mid(12, 40);
}

// That whatever is written reads back as the beginning of what was given, the fuzz
// target checks; here the exact cut.
TEST(SongListCodecTest, TextsAreStrippedAndCutToTwentyCharacters)
{
    const QString twenty(20, u'b');
    const SongListRecord read = SongListRecord::fromBytes(
        record(QStringLiteral("s01"), twenty + u'c', QStringLiteral("  padded  "), QString(45, u'd')).toBytes());
    EXPECT_EQ(read.artist, twenty);
    EXPECT_EQ(read.title, QStringLiteral("padded"));
    EXPECT_EQ(read.album, QString(20, u'd'));
}

TEST(SongListCodecTest, FortyByteCutNeverSplitsACharacter)
{
    // Fourteen 3-byte characters are 42 bytes: byte 40 falls inside the 14th, so 13 stay.
    EXPECT_EQ(artistField(record(QStringLiteral("s01"), QString(14, QChar(0x65E5)))),
              zeroPadded(QString(13, QChar(0x65E5)).toUtf8(), 40));
    // Ten 4-byte emoji are exactly 40 bytes (and 20 UTF-16 units): no zero byte.
    const QString emoji = QString::fromUtf8("🎵").repeated(10);
    EXPECT_EQ(artistField(record(QStringLiteral("s01"), emoji)), emoji.toUtf8());
    EXPECT_EQ(SongListRecord::fromBytes(record(QStringLiteral("s01"), emoji).toBytes()).artist, emoji);
    EXPECT_EQ(artistField(record(QStringLiteral("s01"), emoji + QString::fromUtf8("🎵"))), emoji.toUtf8());
}

TEST(SongListCodecTest, ForeignFieldsWithoutZeroOrWithInvalidUtf8AreRead)
{
    const QList<std::pair<QByteArray, QString>> fields = {
        {QByteArray(40, 'T'), QString(40, u'T')},
        {QByteArray("Z").repeated(39) + "\xc3", QString(39, u'Z') + QChar(QChar::ReplacementCharacter)},
        {zeroPadded("ab\xff" "cd", 40), QStringLiteral("ab\uFFFDcd")},
        {zeroPadded("\xc3\x28", 40), QStringLiteral("\uFFFD(")},
    };
    for (const auto& [field, expected] : fields) {
        QByteArray raw(SongListRecord::Size, '\0');
        raw.replace(4, 3, "s01");
        raw.replace(52, 40, field);
        EXPECT_EQ(SongListRecord::fromBytes(raw).title, expected) << field.toHex().toStdString();
    }
}

TEST(SongListCodecTest, StreamNameIsTrimmedAndCutWhenWrittenAsItReadsBack)
{
    QByteArray raw(SongListRecord::Size, '\x11');
    raw.replace(4, 8, zeroPadded(" s05 ", 8));
    EXPECT_EQ(SongListRecord::fromBytes(raw).toBytes().mid(4, 8), zeroPadded("s05", 8));

    const SongListRecord longName = record(QStringLiteral("s123456789"), QString());
    EXPECT_EQ(longName.toBytes().mid(4, 8), "s1234567");
    EXPECT_EQ(longName.storedStreamName(), QStringLiteral("s1234567"));
    // A name cut on a blank points at the name read back.
    for (const QString& name : {QStringLiteral("s123456 8"), QString::fromUtf8("s\xff\xff \xff")}) {
        const SongListRecord entry = record(name, QString());
        const SongListRecord reread = SongListRecord::fromBytes(entry.toBytes());
        EXPECT_EQ(entry.storedStreamName(), reread.streamName) << name.toStdString();
    }
}

}  // namespace
}  // namespace sonorelle
