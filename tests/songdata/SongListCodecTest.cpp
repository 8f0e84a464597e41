#include "songdata/SongListFile.h"
#include "songdata/SongListRecord.h"
#include "songdata/Utf8Text.h"

#include <QtEndian>

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

QByteArray field(const QByteArray& written, qsizetype offset, qsizetype width)
{
    return written.mid(offset, width);
}

QByteArray zeroPadded(const QByteArray& text, qsizetype width)
{
    return text + QByteArray(width - text.size(), '\0');
}

// Writing, reading and writing again must give the same bytes: whatever the writer
// cuts, it cuts once.
void expectStableRoundTrip(const QList<SongListRecord>& records)
{
    const QByteArray written = SongListFile::encode(records);
    ASSERT_EQ(written.size(), records.size() * SongListRecord::Size);
    EXPECT_EQ(SongListFile::encode(SongListFile::decode(written)), written);
}

TEST(SongListCodecTest, TextsOfEveryLengthRoundTripByteForByte)
{
    const QString twenty(20, u'b');
    const QList<SongListRecord> records = {
        record(QStringLiteral("s01"), QString(), QString(), QString()),
        record(QStringLiteral("s02"), twenty, twenty, twenty),
        record(QStringLiteral("s03"), twenty + u'c', QStringLiteral("  padded  "), QString(45, u'd')),
        record(QStringLiteral("s04"), QStringLiteral("Sølvfjord Ensemble"), QStringLiteral("日本語のタイトルです"),
               QStringLiteral("🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵🎵")),
    };
    expectStableRoundTrip(records);

    const QByteArray written = SongListFile::encode(records);
    const QList<SongListRecord> read = SongListFile::decode(written);
    EXPECT_EQ(read.at(0).artist, QString());
    EXPECT_EQ(read.at(1).artist, twenty);
    EXPECT_EQ(read.at(2).artist, twenty) << "21 characters are cut to 20";
    EXPECT_EQ(read.at(2).title, QStringLiteral("padded"));
    EXPECT_EQ(read.at(2).album, QString(20, u'd'));
    EXPECT_EQ(read.at(3).artist, QStringLiteral("Sølvfjord Ensemble"));
}

TEST(SongListCodecTest, FortyByteCutNeverSplitsACharacter)
{
    // Fourteen 3-byte characters are 42 bytes: byte 40 falls inside the 14th, so the
    // field keeps 13 (39 bytes) and a zero.
    const QString threeByte(14, QChar(0x65E5));
    const QByteArray written = record(QStringLiteral("s01"), threeByte).toBytes();
    const QByteArray artist = field(written, 12, 40);
    EXPECT_EQ(artist, zeroPadded(QString(13, QChar(0x65E5)).toUtf8(), 40));

    // Ten 4-byte emoji (20 characters in UTF-16 units) make exactly 40 bytes: no zero byte.
    const QString emoji = QString::fromUtf8("🎵").repeated(10);
    const QByteArray full = record(QStringLiteral("s01"), emoji).toBytes();
    EXPECT_EQ(field(full, 12, 40), emoji.toUtf8());
    EXPECT_EQ(SongListRecord::fromBytes(full).artist, emoji);

    // Eleven emoji are 22 UTF-16 units: the 20-character cut keeps ten whole ones.
    const QByteArray cut = record(QStringLiteral("s01"), QString::fromUtf8("🎵").repeated(11)).toBytes();
    EXPECT_EQ(field(cut, 12, 40), emoji.toUtf8());
}

TEST(SongListCodecTest, FortyByteFieldWithoutZeroIsTakenWhole)
{
    QByteArray raw(SongListRecord::Size, '\0');
    raw.replace(4, 3, "s01");
    raw.replace(52, 40, QByteArray(40, 'T'));
    raw.replace(92, 40, QByteArray("Z").repeated(39) + "\xc3");  // a sequence cut by a foreign writer
    const SongListRecord read = SongListRecord::fromBytes(raw);
    EXPECT_EQ(read.title, QString(40, u'T'));
    EXPECT_EQ(read.album.size(), 40);
    EXPECT_EQ(read.album.back(), QChar(QChar::ReplacementCharacter));
}

TEST(SongListCodecTest, InvalidUtf8DecodesWithReplacementCharacters)
{
    EXPECT_EQ(DecodeUTF8("ab\xff" "cd"), QStringLiteral("ab\uFFFDcd"));
    EXPECT_EQ(DecodeUTF8("\xc3\x28"), QStringLiteral("\uFFFD("));
    EXPECT_EQ(DecodeUTF8(""), QString());
    EXPECT_EQ(EncodeUTF8(QString()), QByteArray());
}

TEST(SongListCodecTest, StampAndReservedWordsAreFixedWhenWritten)
{
    QByteArray raw(SongListRecord::Size, '\x11');
    raw.replace(4, 8, zeroPadded(" s05 ", 8));
    const SongListRecord read = SongListRecord::fromBytes(raw);
    EXPECT_EQ(read.stamp, 0x11111111u);
    EXPECT_EQ(read.reservedA, 0x11111111u);
    EXPECT_EQ(read.streamName, QStringLiteral("s05"));

    const QByteArray written = read.toBytes();
    EXPECT_EQ(written.left(4), QByteArray("\xd4\x3e\x32\x01", 4));
    EXPECT_EQ(qFromLittleEndian<quint32>(written.constData()), 20070100u);
    EXPECT_EQ(field(written, 4, 8), zeroPadded("s05", 8));
    EXPECT_EQ(field(written, 132, 8), QByteArray(8, '\0'));
}

TEST(SongListCodecTest, StreamNameIsCutToEightBytes)
{
    const SongListRecord entry = record(QStringLiteral("s123456789"), QString());
    EXPECT_EQ(field(entry.toBytes(), 4, 8), "s1234567");
    EXPECT_EQ(entry.storedStreamName(), QStringLiteral("s1234567"));
}

TEST(SongListCodecTest, StreamNameCutOnABlankPointsAtTheNameReadBack)
{
    for (const QString& name : {QStringLiteral("s123456 8"), QString::fromUtf8("s\xff\xff \xff")}) {
        const SongListRecord entry = record(name, QString());
        const SongListRecord reread = SongListRecord::fromBytes(entry.toBytes());
        EXPECT_EQ(entry.storedStreamName(), reread.streamName) << name.toStdString();
    }
}

TEST(SongListCodecTest, TrailingPartialRecordIsIgnored)
{
    const QByteArray bytes = SongListFile::encode({record(QStringLiteral("s01"), QStringLiteral("A"))});
    const QList<SongListRecord> read = SongListFile::decode(bytes + QByteArray(139, 'x'));
    ASSERT_EQ(read.size(), 1);
    EXPECT_EQ(read.at(0).artist, QStringLiteral("A"));
}

}  // namespace
}  // namespace sonorelle
