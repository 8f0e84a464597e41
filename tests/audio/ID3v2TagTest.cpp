#include "audio/FileTagTestSupport.h"
#include "audio/ID3v2Bytes.h"
#include "audio/ID3v2Tag.h"
#include "support/NamedRows.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::PrintTo;
using namespace sonorelle::test;

// What the tag must give; a value left null must keep what an earlier file left.
struct Expected {
    const char* title = nullptr;
    const char* artist = nullptr;
    const char* album = nullptr;
    const char* year = nullptr;
    const char* comment = nullptr;
};

struct ParseCase {
    const char* name;
    QByteArray tag;
    Expected expected;
};

QString ExpectedValue(const char* value)
{
    return value ? QString::fromUtf8(value) : QStringLiteral("earlier");
}

class ID3v2ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ID3v2ParseTest, TakesTheFramesOfTheTag)
{
    const QByteArray& tag = GetParam().tag;
    const std::optional<ID3v2Header> header = ReadID3v2Header(tag);
    ASSERT_TRUE(header && header->fitsIn(tag.size()));
    const QString earlier = QStringLiteral("earlier");
    Id3Values values{earlier, earlier, earlier, earlier, earlier};

    ParseID3v2Frames(QByteArrayView(tag).sliced(ID3v2Header::Length, header->bodySize), *header, values);

    const Expected& e = GetParam().expected;
    EXPECT_EQ((QStringList{values.Id3Title, values.Id3Artist, values.Id3Album, values.Id3Year,
                           values.Id3Comment}),
              (QStringList{ExpectedValue(e.title), ExpectedValue(e.artist), ExpectedValue(e.album),
                           ExpectedValue(e.year), ExpectedValue(e.comment)}));
}

QByteArray Utf16(QStringConverter::Encoding order, const char* utf8)
{
    return QStringEncoder(order).encode(QString::fromUtf8(utf8));
}
const auto Le = [](const char* utf8) { return Utf16(QStringConverter::Utf16LE, utf8); };
const auto Be = [](const char* utf8) { return Utf16(QStringConverter::Utf16BE, utf8); };

const ParseCase TextCases[] = {
    {"Utf16BigEndianWithMark", ID3v2Tag(3, V3Frame("TIT2", "\x01\xFE\xFF" + Be("Ωmega"))), {.title = "Ωmega"}},
    {"Utf16BigEndian", ID3v2Tag(4, V4Frame("TIT2", "\x02" + Be("Ωmega"))), {.title = "Ωmega"}},
    {"FirstOfSeveralValues", ID3v2Tag(4, V4Frame("TPE1", QByteArray("\x03One\0Two", 8))), {.artist = "One"}},
    {"Utf16EndsAtItsNul",
     ID3v2Tag(3, V3Frame("TALB", "\x01\xFF\xFE" + Le("A") + QByteArray("\0\0", 2) + Le("B"))), {.album = "A"}},
    {"UnknownEncoding", ID3v2Tag(3, V3Frame("TIT2", "\x07text")), {}},
    {"EmptyFrame", ID3v2Tag(3, V3Frame("TIT2", "")), {}},
};
// A comment's text follows its language and its description, in the frame's encoding.
const ParseCase CommentCases[] = {
    {"Latin1AfterDescription", ID3v2Tag(3, V3Frame("COMM", QByteArray("\0engdesc\0Hello", 14))), {.comment = "Hello"}},
    {"Utf16AfterDescription",
     ID3v2Tag(3, V3Frame("COMM", "\x01" "eng\xFF\xFE" + Le("d") + QByteArray("\0\0", 2) + "\xFF\xFE" + Le("Ωmega"))),
     {.comment = "Ωmega"}},
    {"Version22", ID3v2Tag(2, V2Frame("COM", QByteArray("\0eng\0Old", 8))), {.comment = "Old"}},
    {"DescriptionWithoutEnd", ID3v2Tag(3, V3Frame("COMM", QByteArray("\0engdesc", 8))), {}},
};
INSTANTIATE_TEST_SUITE_P(Comment, ID3v2ParseTest, ::testing::ValuesIn(CommentCases), CaseName<ParseCase>);

INSTANTIATE_TEST_SUITE_P(Text, ID3v2ParseTest, ::testing::ValuesIn(TextCases), CaseName<ParseCase>);

const QByteArray Long(299, 'y');

const ParseCase WalkCases[] = {
    // A comment quoting another frame's header must not be taken for that frame.
    {"IdInsideAnotherFramesData",
     ID3v2Tag(3, V3Frame("COMM", Latin1Text(QByteArray("eng\0", 4) + V3Frame("TIT2", Latin1Text("Fake"))))
                     + V3Frame("TIT2", Latin1Text("Real"))),
     {.title = "Real", .comment = "TIT2"}},
    {"FirstOfTwoFrames", ID3v2Tag(3, V3Frame("TALB", Latin1Text("First")) + V3Frame("TALB", Latin1Text("Second"))),
     {.album = "First"}},
    {"FrameRunningPastTheTag",
     ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Kept")) + "TPE1" + BigEndian32(1000) + QByteArray(2, '\0') + Latin1Text("Cut")),
     {.title = "Kept"}},
    {"GarbageEndsTheFrames",
     ID3v2Tag(3, V3Frame("TIT2", Latin1Text("Title")) + "\x01\x02\x03\x04garbage" + V3Frame("TALB", Latin1Text("Lost"))),
     {.title = "Title"}},
    {"Version23ExtendedHeader",
     ID3v2Tag(3, BigEndian32(6) + QByteArray(6, '\0') + V3Frame("TIT2", Latin1Text("After")), 0x40), {.title = "After"}},
    {"Version24ExtendedHeader",
     ID3v2Tag(4, Syncsafe32(6) + QByteArray("\x01\x00", 2) + V4Frame("TIT2", Latin1Text("After")), 0x40),
     {.title = "After"}},
    {"ExtendedHeaderPastTheTag", ID3v2Tag(3, BigEndian32(600) + V3Frame("TIT2", Latin1Text("Lost")), 0x40), {}},
    // A frame of 300 bytes: 00 00 02 2C syncsafe, 00 00 01 2C plain; read the other way
    // its size misses the next frame.
    {"Version24SizesAreSyncsafe",
     ID3v2Tag(4, V4Frame("TIT2", Latin1Text(Long)) + V4Frame("TALB", Latin1Text("Album"))),
     {.title = Long.constData(), .album = "Album"}},
    {"Version23SizesArePlain",
     ID3v2Tag(3, V3Frame("TIT2", Latin1Text(Long)) + V3Frame("TALB", Latin1Text("Album"))),
     {.title = Long.constData(), .album = "Album"}},
};
INSTANTIATE_TEST_SUITE_P(Walk, ID3v2ParseTest, ::testing::ValuesIn(WalkCases), CaseName<ParseCase>);

const ParseCase VersionCases[] = {
    {"Version22EmptyLeadFallsBack", ID3v2Tag(2, V2Frame("TP1", Latin1Text("")) + V2Frame("TOA", Latin1Text("Orig"))),
     {.artist = "Orig"}},
    {"Version22CompressedTag", ID3v2Tag(2, V2Frame("TT2", Latin1Text("Packed")), 0x40), {}},
    {"Version24RecordingTime", ID3v2Tag(4, V4Frame("TDRC", Latin1Text("2004-05-06"))), {.year = "2004"}},
    {"Version24YearBeforeRecordingTime",
     ID3v2Tag(4, V4Frame("TDRC", Latin1Text("2004-05-06")) + V4Frame("TYER", Latin1Text("1990"))), {.year = "1990"}},
    {"Version24EmptyYearFallsBack",
     ID3v2Tag(4, V4Frame("TYER", Latin1Text("")) + V4Frame("TDRC", Latin1Text("2004"))), {.year = "2004"}},
    // The lead performer wins over the original artist whichever comes first.
    {"Version22Frames",
     ID3v2Tag(2, V2Frame("TT2", Latin1Text("Title")) + V2Frame("TOA", Latin1Text("Orig"))
                     + V2Frame("TP1", Latin1Text("Lead")) + V2Frame("TAL", Latin1Text("Album"))
                     + V2Frame("TYE", Latin1Text("1987")) + V2Frame("TDA", Latin1Text("0101"))),
     {.title = "Title", .artist = "Lead", .album = "Album", .year = "1987"}},
};
INSTANTIATE_TEST_SUITE_P(Version, ID3v2ParseTest, ::testing::ValuesIn(VersionCases), CaseName<ParseCase>);

const ParseCase FlagCases[] = {
    {"Version23Compressed", ID3v2Tag(3, V3Frame("TPE1", Latin1Text("Packed"), 0x80)), {}},
    {"Version23Grouped", ID3v2Tag(3, V3Frame("TPE1", "\x05" + Latin1Text("Grouped"), 0x20)), {.artist = "Grouped"}},
    // The frame counts its 0xFF once; the tag's unsynchronisation put a 0x00 after it.
    {"Version23Unsynchronised", ID3v2Tag(3, "TIT2" + BigEndian32(4) + QByteArray("\0\0\0a\xFF\0b", 7), 0x80),
     {.title = "aÿb"}},
    {"Version24FrameUnsynchronisedWithDataLength",
     ID3v2Tag(4, V4Frame("TIT2", Syncsafe32(4) + Latin1Text(QByteArray("a\xFF\0b", 4)), 0x02 | 0x01)),
     {.title = "aÿb"}},
    {"Version24TagUnsynchronised", ID3v2Tag(4, V4Frame("TIT2", Latin1Text(QByteArray("\xFF\0", 2))), 0x80),
     {.title = "ÿ"}},
    {"Version24GroupAndDataLength", ID3v2Tag(4, V4Frame("TALB", "\x09" + Syncsafe32(6) + Latin1Text("Album"), 0x41)),
     {.album = "Album"}},
    {"Version24Encrypted", ID3v2Tag(4, V4Frame("TALB", Latin1Text("Secret"), 0x04)), {}},
};
INSTANTIATE_TEST_SUITE_P(Flags, ID3v2ParseTest, ::testing::ValuesIn(FlagCases), CaseName<ParseCase>);

TEST(ID3v2HeaderTest, RefusesOtherVersionsAndShortHeaders)
{
    EXPECT_FALSE(ReadID3v2Header(ID3v2Tag(5, QByteArray())).has_value());
    EXPECT_FALSE(ReadID3v2Header(ID3v2Tag(1, QByteArray())).has_value());
    EXPECT_FALSE(ReadID3v2Header(ID3v2Tag(3, QByteArray()).left(9)).has_value());
}

}  // namespace
}  // namespace sonorelle
