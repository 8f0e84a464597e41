#include "platform/CdDisc.h"
#include "platform/CdDiscProbe.h"
#include "platform/CdTrackDevice.h"
#include "platform/CdTrackListing.h"
#include "support/CdImages.h"
#include "support/NamedRows.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace sonorelle {
namespace {

using test::PrintTo;
using test::ImageDisc;
using test::ImageTrack;

struct ListingCase {
    const char* name;
    CdUnit (*write)(const QString&, const QString&, const ImageDisc&);
    ImageDisc disc;
    QStringList expected;  // the disc's CD-Text, then one line per entry
};

// A mixed-mode disc (data first) with pregaps and UTF-8 CD-Text, an enhanced CD
// (data last), and a cdrdao TOC image (without pregaps: libcdio counts a TOC track's
// START pregap twice).
const ListingCase listingCases[] = {
    {"DataFirstWithPregaps", &test::WriteCueImage,
     ImageDisc{"Disc Title", "Disc Artist",
               {ImageTrack{false, 0, 300, {}, {}}, ImageTrack{true, 150, 200, "Song Two", "Singer Two"},
                ImageTrack{true, 10, 100, "Caf\xc3\xa9 \xc3\x9cn", "Singer Three"}}},
     {QStringLiteral("Disc Title / Disc Artist"), QStringLiteral("Track02.cda #2 450+210 0:02 Song Two / Singer Two"),
      QStringLiteral("Track03.cda #3 660+100 0:01 Café Ün / Singer Three")}},
    {"DataLast", &test::WriteCueImage,
     ImageDisc{{}, {}, {ImageTrack{true, 0, 4500, {}, {}}, ImageTrack{true, 0, 75, {}, {}}, ImageTrack{false, 150, 300, {}, {}}}},
     {QStringLiteral(" / "), QStringLiteral("Track01.cda #1 0+4500 1:00  / "),
      QStringLiteral("Track02.cda #2 4500+225 0:03  / ")}},
    {"CdrdaoToc", &test::WriteTocImage,
     ImageDisc{"Toc Disc", "Toc Artist", {ImageTrack{true, 0, 4499, "One", "P1"}, ImageTrack{true, 0, 100, "Two", "P2"}}},
     {QStringLiteral("Toc Disc / Toc Artist"), QStringLiteral("Track01.cda #1 0+4499 0:59 One / P1"),
      QStringLiteral("Track02.cda #2 4499+100 0:01 Two / P2")}},
};

class CdListingTest : public testing::TestWithParam<ListingCase> {};

TEST_P(CdListingTest, ListsAudioTracksWithLengthsAndCdText)
{
    QTemporaryDir dir;
    const CdUnit unit = GetParam().write(dir.path(), QStringLiteral("disc"), GetParam().disc);
    QString error;
    const std::unique_ptr<CdDisc> disc = CdDisc::OpenCD(unit, &error);
    ASSERT_TRUE(disc) << error.toStdString();
    QStringList listing{disc->cdText(0).title + QStringLiteral(" / ") + disc->cdText(0).performer};
    for (const CdaEntry& e : ListCdaEntries(*disc))
        listing << QStringLiteral("%1 #%2 %3+%4 %5 %6 / %7")
                       .arg(e.name)
                       .arg(e.track)
                       .arg(e.firstFrame)
                       .arg(e.frameCount)
                       .arg(e.length, e.title, e.performer);
    EXPECT_EQ(listing, GetParam().expected);
    EXPECT_TRUE(CdUnitHoldsDisc(unit));
}

INSTANTIATE_TEST_SUITE_P(Images, CdListingTest, testing::ValuesIn(listingCases),
                         [](const testing::TestParamInfo<ListingCase>& param) { return param.param.name; });

TEST(CdDiscTest, ACueWithoutItsBinSaysWhichFileIsMissing)
{
    QTemporaryDir dir;
    const CdUnit unit = test::WriteCueImage(dir.path(), QStringLiteral("gone"), ImageDisc{{}, {}, {ImageTrack{true, 0, 75, {}, {}}}});
    QFile::remove(dir.path() + QStringLiteral("/gone.bin"));
    QString error;
    EXPECT_EQ(CdDisc::OpenCD(unit, &error), nullptr);
    EXPECT_TRUE(error.contains(dir.path() + QStringLiteral("/gone.bin"))) << error.toStdString();
    EXPECT_FALSE(CdUnitHoldsDisc(unit));
    QString listingError;
    EXPECT_TRUE(ListCdaEntries(unit, &listingError).isEmpty());
    EXPECT_EQ(listingError, error);
}

// Frames 40 to 140 of the disc stream as the WAV file a rip writes, in reads of any
// size; the stream asks for 20 frames past the disc's end and stops there.
TEST(CdTrackDeviceTest, StreamsFramesAsAWavFileUpToWhatTheDiscHolds)
{
    QTemporaryDir dir;
    QString error;
    const std::unique_ptr<CdDisc> disc = CdDisc::OpenCD(
        test::WriteCueImage(dir.path(), QStringLiteral("d"),
                            ImageDisc{{}, {}, {ImageTrack{false, 0, 30, {}, {}}, ImageTrack{true, 10, 100, {}, {}}}}),
        &error);
    ASSERT_TRUE(disc) << error.toStdString();
    const QByteArray expected = test::ExpectedWav(40, 120).left(44 + 2352 * 100);
    for (const qint64 readSize : {30, 26 * 2352 + 7, 1 << 20}) {
        CdTrackDevice device(*disc, 40, 160);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly));
        QByteArray streamed;
        for (QByteArray piece; !(piece = device.read(readSize)).isEmpty();)
            streamed += piece;
        EXPECT_TRUE(streamed == expected) << readSize << ": " << streamed.size();
        EXPECT_TRUE(device.errorString().contains(QStringLiteral("sector 140"))) << device.errorString().toStdString();
        ASSERT_TRUE(device.seek(44 + 2352 * 77 + 5));
        EXPECT_EQ(device.read(3000), expected.mid(44 + 2352 * 77 + 5, 3000));
    }
}

}  // namespace
}  // namespace sonorelle
