#include "songdata/SongListRecord.h"

#include <QList>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

QByteArray zeroPadded(const QByteArray& text, qsizetype width)
{
    return text + QByteArray(width - text.size(), '\0');
}

SongListRecord Record(const QString& streamName, const QString& artist = {}, const QString& title = {},
                      const QString& album = {})
{
    SongListRecord record;
    record.streamName = streamName;
    record.artist = artist;
    record.title = title;
    record.album = album;
    return record;
}

QByteArray artistField(const QString& artist)
{
    return Record(QStringLiteral("s01"), artist).toBytes().mid(12, 40);
}

// That whatever is written reads back as the beginning of what was given, the fuzz
// target checks; here the exact cut.
TEST(SongListCodecTest, TextsAreStrippedAndCutToTwentyCharacters)
{
    const QString twenty(20, u'b');
    const SongListRecord written = Record(QStringLiteral("s01"), twenty + u'c', QStringLiteral("  padded  "),
                                          QString(45, u'd'));
    const SongListRecord read = SongListRecord::fromBytes(written.toBytes());
    EXPECT_EQ(read.artist, twenty);
    EXPECT_EQ(read.title, QStringLiteral("padded"));
    EXPECT_EQ(read.album, QString(20, u'd'));
}

TEST(SongListCodecTest, FortyByteCutNeverSplitsACharacter)
{
    // Fourteen 3-byte characters are 42 bytes: byte 40 falls inside the 14th, so 13 stay.
    EXPECT_EQ(artistField(QString(14, QChar(0x65E5))),
              zeroPadded(QString(13, QChar(0x65E5)).toUtf8(), 40));
    // Ten 4-byte emoji are exactly 40 bytes (and 20 UTF-16 units): no zero byte.
    const QString emoji = QString::fromUtf8("🎵").repeated(10);
    EXPECT_EQ(artistField(emoji), emoji.toUtf8());
    EXPECT_EQ(artistField(emoji + QString::fromUtf8("🎵")), emoji.toUtf8());
}

TEST(SongListCodecTest, ForeignFieldsWithoutZeroOrWithInvalidUtf8AreRead)
{
    QByteArray raw(SongListRecord::Size, '\0');
    raw.replace(52, 40, QByteArray("Z").repeated(39) + "\xc3");
    EXPECT_EQ(SongListRecord::fromBytes(raw).title, QString(39, u'Z') + u'\uFFFD');
    raw.replace(52, 40, zeroPadded("ab\xff" "cd", 40));
    EXPECT_EQ(SongListRecord::fromBytes(raw).title, QStringLiteral("ab\uFFFDcd"));
}

TEST(SongListCodecTest, StreamNameIsTrimmedAndCutWhenWrittenAsItReadsBack)
{
    QByteArray raw(SongListRecord::Size, '\x11');
    raw.replace(4, 8, zeroPadded(" s05 ", 8));
    EXPECT_EQ(SongListRecord::fromBytes(raw).toBytes().mid(4, 8), zeroPadded("s05", 8));

    const SongListRecord longName = Record(QStringLiteral("s123456789"));
    EXPECT_EQ(longName.toBytes().mid(4, 8), "s1234567");
    EXPECT_EQ(longName.storedStreamName(), QStringLiteral("s1234567"));
    // A name cut on a blank points at the name read back.
    const SongListRecord blank = Record(QStringLiteral("s123456 8"));
    EXPECT_EQ(blank.storedStreamName(), SongListRecord::fromBytes(blank.toBytes()).streamName);
}

}  // namespace
}  // namespace sonorelle
