#include "platform/CdDisc.h"
#include "platform/CdDiscProbe.h"
#include "platform/CdTrackListing.h"
#include "support/CdImages.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

namespace sonorelle {
namespace {

using test::ImageDisc;
using test::ImageTrack;

QStringList describe(const QList<CdaEntry>& entries)
{
    QStringList lines;
    for (const CdaEntry& e : entries)
        lines << QStringLiteral("%1 #%2 %3+%4 %5 %6 / %7")
                     .arg(e.name)
                     .arg(e.track)
                     .arg(e.firstFrame)
                     .arg(e.frameCount)
                     .arg(e.length, e.title, e.performer);
    return lines;
}

struct ListingCase {
    const char* name;
    QString (*write)(const QString&, const QString&, const ImageDisc&);
    ImageDisc disc;
    QStringList expected;  // the disc's CD-Text line first, then one line per entry
};

// A mixed-mode disc (data first) with pregaps and UTF-8 CD-Text, an enhanced CD
// (data last) without CD-Text, and a cdrdao TOC image (without pregaps: libcdio counts
// a TOC track's START pregap twice).
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

void PrintTo(const ListingCase& param, std::ostream* out)
{
    *out << param.name;
}

class CdListingTest : public testing::TestWithParam<ListingCase> {};

TEST_P(CdListingTest, ListsAudioTracksWithLengthsAndCdText)
{
    QTemporaryDir dir;
    const CdUnit unit = test::ImageUnit(GetParam().write(dir.path(), QStringLiteral("disc"), GetParam().disc));
    QString error;
    const std::unique_ptr<CdDisc> disc = CdDisc::OpenCD(unit, &error);
    ASSERT_TRUE(disc) << error.toStdString();
    const CdTextEntry discText = disc->cdText(0);
    const QStringList listing =
        QStringList{discText.title + QStringLiteral(" / ") + discText.performer} + describe(ListCdaEntries(*disc));
    EXPECT_EQ(listing, GetParam().expected);
    EXPECT_TRUE(CdUnitHoldsDisc(unit));
}

INSTANTIATE_TEST_SUITE_P(Images, CdListingTest, testing::ValuesIn(listingCases),
                         [](const testing::TestParamInfo<ListingCase>& param) { return param.param.name; });

TEST(CdDiscTest, ReadsFramesWhereTheyLieAndRefusesPastTheEnd)
{
    QTemporaryDir dir;
    const ImageDisc image{{}, {}, {ImageTrack{false, 0, 30, {}, {}}, ImageTrack{true, 10, 40, {}, {}}}};
    QString error;
    const std::unique_ptr<CdDisc> disc =
        CdDisc::OpenCD(test::ImageUnit(test::WriteCueImage(dir.path(), QStringLiteral("d"), image)), &error);
    ASSERT_TRUE(disc) << error.toStdString();
    EXPECT_EQ(disc->toc().TrackLBA(1), 40);
    EXPECT_EQ(disc->toc().TrackLBA(2), 80);

    QByteArray frames(30 * CdFrameBytes, '\0');
    ASSERT_TRUE(disc->readFrames(35, 30, frames.data(), &error)) << error.toStdString();
    EXPECT_EQ(frames, test::PatternBytes(35 * CdFrameBytes, 30 * CdFrameBytes));

    EXPECT_FALSE(disc->readFrames(70, 11, frames.data(), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("sector 80")) && error.contains(dir.path())) << error.toStdString();
}

TEST(CdDiscTest, ACueWithoutItsBinSaysWhichFileIsMissing)
{
    QTemporaryDir dir;
    const QString cue = test::WriteCueImage(dir.path(), QStringLiteral("gone"),
                                            ImageDisc{{}, {}, {ImageTrack{true, 0, 75, {}, {}}}});
    QFile::remove(dir.path() + QStringLiteral("/gone.bin"));
    const CdUnit unit = test::ImageUnit(cue);

    QString error;
    EXPECT_EQ(CdDisc::OpenCD(unit, &error), nullptr);
    EXPECT_TRUE(error.contains(dir.path() + QStringLiteral("/gone.bin"))) << error.toStdString();
    EXPECT_FALSE(CdUnitHoldsDisc(unit));
    QString listingError;
    EXPECT_TRUE(ListCdaEntries(unit, &listingError).isEmpty());
    EXPECT_EQ(listingError, error);
}

}  // namespace
}  // namespace sonorelle
