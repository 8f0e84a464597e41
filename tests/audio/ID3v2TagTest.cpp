#include "audio/ID3v2Bytes.h"
#include "audio/ID3v2Tag.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using namespace sonorelle::test;

Id3Values Values(const QString& title, const QString& artist, const QString& album, const QString& year)
{
    return Id3Values{title, artist, album, year};
}

// What a file read before left behind: a value the tag does not give must survive.
Id3Values Earlier()
{
    return Values(QStringLiteral("old title"), QStringLiteral("old artist"), QStringLiteral("old album"),
                  QStringLiteral("1999"));
}

struct ParseCase {
    const char* name;
    QByteArray tag;
    Id3Values expected;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.name;
}

Id3Values Parse(const QByteArray& tag)
{
    Id3Values values = Earlier();
    const std::optional<ID3v2Header> header = ReadID3v2Header(tag);
    EXPECT_TRUE(header.has_value());
    if (header && header->fitsIn(tag.size()))
        ParseID3v2Frames(QByteArrayView(tag).sliced(ID3v2Header::Length, header->bodySize), *header, values);
    return values;
}

std::string CaseName(const ::testing::TestParamInfo<ParseCase>& testCase)
{
    return testCase.param.name;
}

class ID3v2ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ID3v2ParseTest, TakesTheFramesOfTheTag)
{
    const Id3Values values = Parse(GetParam().tag);
    EXPECT_EQ(values.Id3Title, GetParam().expected.Id3Title);
    EXPECT_EQ(values.Id3Artist, GetParam().expected.Id3Artist);
    EXPECT_EQ(values.Id3Album, GetParam().expected.Id3Album);
    EXPECT_EQ(values.Id3Year, GetParam().expected.Id3Year);
}

QByteArray Utf16(const QString& text, QStringConverter::Encoding order)
{
    return QStringEncoder(order).encode(text);
}

const ParseCase TextCases[] = {
    {"Latin1", ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Caf\xE9"))),
     Values(QStringLiteral("Café"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Utf16LittleEndianWithMark",
     ID3v2Tag(3, V3Frame("TIT2", "\x01\xFF\xFE" + Utf16(QStringLiteral("Ωmega"), QStringConverter::Utf16LE))),
     Values(QStringLiteral("Ωmega"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Utf16BigEndianWithMark",
     ID3v2Tag(3, V3Frame("TIT2", "\x01\xFE\xFF" + Utf16(QStringLiteral("Ωmega"), QStringConverter::Utf16BE))),
     Values(QStringLiteral("Ωmega"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Utf16BigEndianWithoutMark",
     ID3v2Tag(4, V4Frame("TIT2", "\x02" + Utf16(QStringLiteral("Ωmega"), QStringConverter::Utf16BE))),
     Values(QStringLiteral("Ωmega"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Utf8", ID3v2Tag(4, V4Frame("TIT2", "\x03" + QStringLiteral("東京").toUtf8())),
     Values(QStringLiteral("東京"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"FirstOfSeveralValues", ID3v2Tag(4, V4Frame("TPE1", QByteArray("\x03One\0Two", 8))),
     Values(QStringLiteral("old title"), QStringLiteral("One"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Utf16EndsAtItsNul",
     ID3v2Tag(3, V3Frame("TALB", "\x01\xFF\xFE" + Utf16(QStringLiteral("A"), QStringConverter::Utf16LE)
                                     + QByteArray("\0\0", 2) + Utf16(QStringLiteral("B"), QStringConverter::Utf16LE))),
     Values(QStringLiteral("old title"), QStringLiteral("old artist"), QStringLiteral("A"), QStringLiteral("1999"))},
    {"UnknownEncodingKeepsTheValue", ID3v2Tag(3, V3Frame("TIT2", "\x07text")), Earlier()},
    {"EmptyFrameKeepsTheValue", ID3v2Tag(3, V3Frame("TIT2", "")), Earlier()},
    {"EncodingByteOnlyGivesEmptyText", ID3v2Tag(3, V3Frame("TIT2", QByteArray(1, '\0'))),
     Values(QString(), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
};
INSTANTIATE_TEST_SUITE_P(Text, ID3v2ParseTest, ::testing::ValuesIn(TextCases),
                         CaseName);

const ParseCase WalkCases[] = {
    // A comment frame quoting another frame's header must not be taken for it.
    {"IdInsideAnotherFramesData",
     ID3v2Tag(3, V3Frame("COMM", Latin1Text(QByteArray("eng\0", 4)) + V3Frame("TIT2", Latin1Text("Fake")))
                     + V3Frame("TIT2", Latin1Text("Real"))),
     Values(QStringLiteral("Real"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"LongFrameIsTakenWhole", ID3v2Tag(3, V3Frame("TIT2", Latin1Text(QByteArray(299, 'x')))),
     Values(QString(299, u'x'), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"FirstOfTwoFramesWins",
     ID3v2Tag(3, V3Frame("TALB", Latin1Text("First")) + V3Frame("TALB", Latin1Text("Second"))),
     Values(QStringLiteral("old title"), QStringLiteral("old artist"), QStringLiteral("First"), QStringLiteral("1999"))},
    {"FrameRunningPastTheTagKeepsWhatCameBefore",
     ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Kept")) + QByteArray("TPE1") + BigEndian32(1000) + QByteArray(2, '\0')
                     + Latin1Text("Cut")),
     Values(QStringLiteral("Kept"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"PaddingEndsTheFrames",
     ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Title")) + QByteArray(64, '\0')),
     Values(QStringLiteral("Title"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"GarbageEndsTheFrames",
     ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Title")) + "\x01\x02\x03\x04garbage" + V3Frame("TALB", Latin1Text("Lost"))),
     Values(QStringLiteral("Title"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"TruncatedFrameHeader", ID3v2Tag(3, V3Frame("TYER", Latin1Text("2001")) + "TIT"),
     Values(QStringLiteral("old title"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("2001"))},
    {"Version23ExtendedHeader",
     ID3v2Tag(3, BigEndian32(6) + QByteArray(6, '\0') + V3Frame("TIT2", Latin1Text("After")), 0x40),
     Values(QStringLiteral("After"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Version24ExtendedHeader",
     ID3v2Tag(4, Syncsafe32(6) + QByteArray("\x01\x00", 2) + V4Frame("TIT2", Latin1Text("After")), 0x40),
     Values(QStringLiteral("After"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"ExtendedHeaderPastTheTag", ID3v2Tag(3, BigEndian32(600) + V3Frame("TIT2", Latin1Text("Lost")), 0x40), Earlier()},
    // 200 as a syncsafe number is 00 00 01 48; read as a plain number it would run past the tag.
    {"Version24SizesAreSyncsafe",
     ID3v2Tag(4, V4Frame("TIT2", Latin1Text(QByteArray(199, 'y'))) + V4Frame("TALB", Latin1Text("Album"))),
     Values(QString(199, u'y'), QStringLiteral("old artist"), QStringLiteral("Album"), QStringLiteral("1999"))},
};
INSTANTIATE_TEST_SUITE_P(Walk, ID3v2ParseTest, ::testing::ValuesIn(WalkCases),
                         CaseName);

const ParseCase VersionCases[] = {
    {"Version22",
     ID3v2Tag(2, V2Frame("TT2", Latin1Text("Title")) + V2Frame("TOA", Latin1Text("Original"))
                     + V2Frame("TP1", Latin1Text("Lead")) + V2Frame("TAL", Latin1Text("Album"))
                     + V2Frame("TYE", Latin1Text("1987"))),
     Values(QStringLiteral("Title"), QStringLiteral("Lead"), QStringLiteral("Album"), QStringLiteral("1987"))},
    {"Version22OriginalArtistWhenNoLead", ID3v2Tag(2, V2Frame("TOA", Latin1Text("Original"))),
     Values(QStringLiteral("old title"), QStringLiteral("Original"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Version22OriginalArtistWhenLeadIsEmpty",
     ID3v2Tag(2, V2Frame("TP1", Latin1Text("")) + V2Frame("TOA", Latin1Text("Original"))),
     Values(QStringLiteral("old title"), QStringLiteral("Original"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Version22CompressedTagIsNotRead", ID3v2Tag(2, V2Frame("TT2", Latin1Text("Packed")), 0x40), Earlier()},
    {"Version24YearFromRecordingTime",
     ID3v2Tag(4, V4Frame("TYER", Latin1Text("1990")) + V4Frame("TDRC", Latin1Text("2004-05-06"))),
     Values(QStringLiteral("old title"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("2004"))},
    {"Version24YearFallsBackToTyer", ID3v2Tag(4, V4Frame("TYER", Latin1Text("1990"))),
     Values(QStringLiteral("old title"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1990"))},
};
INSTANTIATE_TEST_SUITE_P(Version, ID3v2ParseTest, ::testing::ValuesIn(VersionCases),
                         CaseName);

const ParseCase FlagCases[] = {
    {"Version23EncryptedAlbumIsSkipped", ID3v2Tag(3, V3Frame("TALB", Latin1Text("Secret"), 0x40)), Earlier()},
    {"Version23EncryptedTitleIsSkipped", ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Secret"), 0x40)), Earlier()},
    {"Version23CompressedFrameIsSkipped", ID3v2Tag(3, V3Frame("TPE1", Latin1Text("Packed"), 0x80)), Earlier()},
    {"Version23GroupByteIsSkipped", ID3v2Tag(3, V3Frame("TPE1", "\x05" + Latin1Text("Grouped"), 0x20)),
     Values(QStringLiteral("old title"), QStringLiteral("Grouped"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Version23Unsynchronised", ID3v2Tag(3, Unsynchronised(V3Frame("TIT2", Latin1Text("a\xFF" "b"))), 0x80),
     Values(QStringLiteral("aÿb"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Version24FrameUnsynchronisedWithDataLength",
     ID3v2Tag(4, V4Frame("TIT2", Syncsafe32(4) + Latin1Text(QByteArray("a\xFF\0b", 4)), 0x02 | 0x01)),
     Values(QStringLiteral("aÿb"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Version24TagUnsynchronised", ID3v2Tag(4, V4Frame("TIT2", Latin1Text(QByteArray("\xFF\0", 2))), 0x80),
     Values(QStringLiteral("ÿ"), QStringLiteral("old artist"), QStringLiteral("old album"), QStringLiteral("1999"))},
    {"Version24GroupAndDataLength", ID3v2Tag(4, V4Frame("TALB", "\x09" + Syncsafe32(6) + Latin1Text("Album"), 0x40 | 0x01)),
     Values(QStringLiteral("old title"), QStringLiteral("old artist"), QStringLiteral("Album"), QStringLiteral("1999"))},
    {"Version24EncryptedIsSkipped", ID3v2Tag(4, V4Frame("TALB", Latin1Text("Secret"), 0x04)), Earlier()},
};
INSTANTIATE_TEST_SUITE_P(Flags, ID3v2ParseTest, ::testing::ValuesIn(FlagCases),
                         CaseName);

TEST(ID3v2HeaderTest, ReadsVersionFlagsAndSyncsafeSize)
{
    const std::optional<ID3v2Header> header = ReadID3v2Header(QByteArray("ID3\x04\x00\x80\x00\x00\x02\x01", 10));
    ASSERT_TRUE(header.has_value());
    EXPECT_EQ(header->majorVersion, 4);
    EXPECT_EQ(header->flags, 0x80);
    EXPECT_EQ(header->bodySize, 257);
    EXPECT_TRUE(header->fitsIn(267));
    EXPECT_FALSE(header->fitsIn(266));
}

TEST(ID3v2HeaderTest, RefusesOtherVersionsAndShortInput)
{
    EXPECT_FALSE(ReadID3v2Header(ID3v2Tag(5, QByteArray())).has_value());
    EXPECT_FALSE(ReadID3v2Header(ID3v2Tag(1, QByteArray())).has_value());
    EXPECT_FALSE(ReadID3v2Header(QByteArray("ID3\x03\x00\x00\x00\x00", 9)).has_value());
    EXPECT_FALSE(ReadID3v2Header(QByteArray("IX3\x03\x00\x00\x00\x00\x00\x00", 10)).has_value());
}

}  // namespace
}  // namespace sonorelle
