#include "platform/CdDisc.h"
#include "platform/CdDiscProbe.h"
#include "platform/CdTrackDevice.h"
#include "platform/CdTrackListing.h"
#include "platform/CdUnits.h"
#include "support/CdImages.h"
#include "support/FileBytes.h"
#include "support/NamedRows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

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

// An enhanced CD (data last, its pregap counted into the track before it) with UTF-8
// CD-Text, and a cdrdao TOC image (without pregaps: libcdio counts a TOC track's START
// pregap twice). A data track first is the command-line listing's disc.
const ListingCase listingCases[] = {
    {"DataLast", &test::WriteCueImage,
     ImageDisc{"Disc Title", "Disc Artist",
               {ImageTrack{true, 0, 4500, "Caf\xc3\xa9 \xc3\x9cn", "Singer"}, ImageTrack{true, 0, 75, {}, {}},
                ImageTrack{false, 150, 300, {}, {}}}},
     {QStringLiteral("Disc Title / Disc Artist"), QStringLiteral("Track01.cda #1 0+4500 1:00 Café Ün / Singer"),
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
                       .arg(e.name).arg(e.track).arg(e.firstFrame).arg(e.frameCount)
                       .arg(e.length, e.title, e.performer);
    EXPECT_EQ(listing, GetParam().expected);
    EXPECT_TRUE(CdUnitHoldsDisc(unit));
}

INSTANTIATE_TEST_SUITE_P(Images, CdListingTest, testing::ValuesIn(listingCases),
                         [](const testing::TestParamInfo<ListingCase>& param) { return param.param.name; });

qsizetype systemDriveCount(const QList<CdUnit>& units)
{
    return std::count_if(units.begin(), units.end(),
                         [](const CdUnit& unit) { return !unit.isImage && !unit.isPlaceholder(); });
}

TEST(CdUnitsTest, ImagesFollowTheDrivesAndTellAMissingBin)
{
    QTemporaryDir dir;
    const ImageDisc oneTrack{{}, {}, {ImageTrack{true, 0, 75, {}, {}}}};
    const QString good =
        test::WriteCueImage(dir.path(), QStringLiteral("Good Disc"), oneTrack).source;
    // The FILE line names an existing file, but libcdio opens lonely.bin.
    const QString lonely = dir.path() + QStringLiteral("/lonely.cue");
    test::WriteCueImage(dir.path(), QStringLiteral("track"), oneTrack);
    test::WriteFile(lonely,
                    "FILE \"track.bin\" BINARY\r\n  TRACK 01 AUDIO\r\n    INDEX 01 00:00:00\r\n");

    const QList<CdUnit> units =
        ListCDDrives(good + QStringLiteral(" ; ;") + dir.path() + QStringLiteral("/gone.cue;") + lonely);
    const qsizetype drives = systemDriveCount(units);
    ASSERT_EQ(units.size(), drives + 2);
    const CdUnit& first = units[drives];
    EXPECT_EQ(std::tuple(first.label, first.source, first.isImage, first.problem),
              std::tuple(QStringLiteral("Good Disc.cue"), good, true, QString()));
    const CdUnit& second = units[drives + 1];
    EXPECT_EQ(second.label, QStringLiteral("lonely.cue"));
    EXPECT_TRUE(second.problem.contains(dir.path() + QStringLiteral("/lonely.bin"))) << second.problem.toStdString();
    // Opening or listing the image tells the same.
    QString error;
    EXPECT_EQ(CdDisc::OpenCD(second, &error), nullptr);
    EXPECT_EQ(error, second.problem);
    EXPECT_FALSE(CdUnitHoldsDisc(second));
    QString listingError;
    EXPECT_TRUE(ListCdaEntries(second, &listingError).isEmpty());
    EXPECT_EQ(listingError, error);

    test::WriteFile(dir.path() + QStringLiteral("/lonely.bin"), QByteArray(2352 * 75, '\0'));
    EXPECT_EQ(DiscImageProblem(lonely), QString());
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
