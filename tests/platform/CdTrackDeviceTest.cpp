#include "platform/CdDisc.h"
#include "platform/CdTrackDevice.h"
#include "support/CdImages.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using test::ImageDisc;
using test::ImageTrack;

class CdTrackDeviceTest : public testing::TestWithParam<qint64> {
protected:
    std::unique_ptr<CdDisc> openDisc()
    {
        const ImageDisc image{{}, {}, {ImageTrack{false, 0, 30, {}, {}}, ImageTrack{true, 10, 100, {}, {}}}};
        QString error;
        std::unique_ptr<CdDisc> disc =
            CdDisc::OpenCD(test::ImageUnit(test::WriteCueImage(dir.path(), QStringLiteral("d"), image)), &error);
        EXPECT_TRUE(disc) << error.toStdString();
        return disc;
    }

    QTemporaryDir dir;
};

// Reads of every size give the bytes a rip would write, across the header's end and
// the chunks' borders.
TEST_P(CdTrackDeviceTest, StreamsTheTrackAsAWavFile)
{
    const std::unique_ptr<CdDisc> disc = openDisc();
    ASSERT_TRUE(disc);
    CdTrackDevice device(*disc, 40, 140);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    QByteArray streamed;
    while (!device.atEnd()) {
        const QByteArray piece = device.read(GetParam());
        ASSERT_FALSE(piece.isEmpty()) << device.errorString().toStdString();
        streamed += piece;
    }
    EXPECT_TRUE(streamed == test::ExpectedWav(40, 100)) << streamed.size();

    const qint64 middle = 44 + 2352 * 77 + 5;
    ASSERT_TRUE(device.seek(middle));
    EXPECT_EQ(device.read(3000), test::ExpectedWav(40, 100).mid(middle, 3000));
}

INSTANTIATE_TEST_SUITE_P(ReadSizes, CdTrackDeviceTest, testing::Values(30, 1000, 26 * 2352 + 7, 1 << 20));

TEST_F(CdTrackDeviceTest, AShortDataFileEndsTheStreamWithTheSectorNamed)
{
    const std::unique_ptr<CdDisc> disc = openDisc();
    ASSERT_TRUE(disc);
    CdTrackDevice device(*disc, 40, 200);
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    const QByteArray streamed = device.readAll();
    EXPECT_EQ(streamed, test::ExpectedWav(40, 160).left(44 + 2352 * 78));
    EXPECT_TRUE(device.errorString().contains(QStringLiteral("sector 140"))) << device.errorString().toStdString();
}

}  // namespace
}  // namespace sonorelle
