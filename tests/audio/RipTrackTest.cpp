#include "audio/RipTrack.h"
#include "platform/CdDisc.h"
#include "support/CdImages.h"
#include "support/FileBytes.h"
#include "support/RecordingFeedback.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

#include <functional>

namespace sonorelle {
namespace {

using test::ImageDisc;
using test::ImageTrack;

// Data first, then a track of exactly 100 frames at frame 40, then a short one.
const ImageDisc ripDisc{{}, {}, {ImageTrack{false, 0, 30, {}, {}}, ImageTrack{true, 10, 100, {}, {}}, ImageTrack{true, 0, 3, {}, {}}}};

class RipTrackTest : public testing::Test {
protected:
    void SetUp() override
    {
        cue = test::WriteCueImage(dir.path(), QStringLiteral("disc"), ripDisc);
        output = dir.path() + QStringLiteral("/track.wav");
        test::WriteFile(output, oldOutput);
    }

    std::unique_ptr<CdDisc> open()
    {
        QString error;
        std::unique_ptr<CdDisc> disc = CdDisc::OpenCD(test::ImageUnit(cue), &error);
        EXPECT_TRUE(disc) << error.toStdString();
        return disc;
    }

    QList<double> progressDone() const
    {
        QList<double> done;
        for (const test::RecordingFeedback::Progress& step : feedback.progress) {
            EXPECT_EQ(step.detail, QStringLiteral("Extracting track ") + output);
            done << step.done;
        }
        return done;
    }

    // The folder holds the image and the output, and no temporary file.
    void expectNoLeftovers() const
    {
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files),
                  (QStringList{QStringLiteral("disc.bin"), QStringLiteral("disc.cue"), QStringLiteral("track.wav")}));
    }

    QTemporaryDir dir;
    QString cue;
    QString output;
    // Longer than any rip here: a rip must replace it whole or leave it alone.
    const QByteArray oldOutput = QByteArray(300000, 'x');
    test::RecordingFeedback feedback;
};

struct RipCase {
    const char* name;
    std::function<RipTrack(CdDisc&, const QString&)> rip;
    OperationResult::Outcome outcome;
    QList<double> progress;
    qint64 firstFrame;  // of the expected WAV when the rip succeeds
    qint64 frames;
};

const RipCase ripCases[] = {
    {"HundredFramesInChunksOf26", [](CdDisc& d, const QString& out) { return RipTrack::ofTrack(d, 2, out); },
     OperationResult::Outcome::Done, {26, 52, 78, 100}, 40, 100},
    {"ShortLastTrack", [](CdDisc& d, const QString& out) { return RipTrack::ofTrack(d, 3, out); },
     OperationResult::Outcome::Done, {3}, 140, 3},
    {"FirstEqualsEnd", [](CdDisc& d, const QString& out) { return RipTrack(d, out, 50, 50); },
     OperationResult::Outcome::Done, {}, 50, 0},
    {"DataTrack", [](CdDisc& d, const QString& out) { return RipTrack::ofTrack(d, 1, out); },
     OperationResult::Outcome::Failed, {}, 0, 0},
    {"NoSuchTrack", [](CdDisc& d, const QString& out) { return RipTrack::ofTrack(d, 4, out); },
     OperationResult::Outcome::Failed, {}, 0, 0},
    {"BackwardsRange", [](CdDisc& d, const QString& out) { return RipTrack(d, out, 60, 50); },
     OperationResult::Outcome::Failed, {}, 0, 0},
};

void PrintTo(const RipCase& param, std::ostream* out)
{
    *out << param.name;
}

class RipTrackCases : public RipTrackTest, public testing::WithParamInterface<RipCase> {};

TEST_P(RipTrackCases, WritesTheWholeWavOrLeavesTheOldFile)
{
    const std::unique_ptr<CdDisc> disc = open();
    ASSERT_TRUE(disc);
    const OperationResult result = GetParam().rip(*disc, output).run(feedback);
    EXPECT_EQ(result.outcome, GetParam().outcome) << result.summary.toStdString();
    EXPECT_EQ(progressDone(), GetParam().progress);
    const QByteArray written = test::ReadFile(output);
    if (GetParam().outcome == OperationResult::Outcome::Done)
        EXPECT_TRUE(written == test::ExpectedWav(GetParam().firstFrame, GetParam().frames)) << written.size();
    else
        EXPECT_TRUE(written == oldOutput && result.summary.contains(output)) << result.summary.toStdString();
    expectNoLeftovers();
}

INSTANTIATE_TEST_SUITE_P(Rips, RipTrackCases, testing::ValuesIn(ripCases),
                         [](const testing::TestParamInfo<RipCase>& param) { return param.param.name; });

TEST_F(RipTrackTest, AShortDataFileStopsTheRipWithTheSectorNamed)
{
    test::WriteFile(dir.path() + QStringLiteral("/disc.bin"), test::PatternBytes(0, 100 * CdFrameBytes));
    const std::unique_ptr<CdDisc> disc = open();
    ASSERT_TRUE(disc);
    const OperationResult result = RipTrack::ofTrack(*disc, 2, output).run(feedback);
    EXPECT_EQ(result.outcome, OperationResult::Outcome::Failed);
    EXPECT_TRUE(result.summary.contains(QStringLiteral("sector 100")) && result.summary.contains(cue))
        << result.summary.toStdString();
    EXPECT_EQ(progressDone(), (QList<double>{26, 52}));
    EXPECT_EQ(test::ReadFile(output), oldOutput);
    expectNoLeftovers();
}

TEST_F(RipTrackTest, CancelBetweenChunksKeepsNothing)
{
    const std::unique_ptr<CdDisc> disc = open();
    ASSERT_TRUE(disc);
    QFile::remove(output);
    feedback.cancelWhen = [this] { return feedback.progress.size() == 2; };
    const OperationResult result = RipTrack::ofTrack(*disc, 2, output).run(feedback);
    EXPECT_EQ(result.outcome, OperationResult::Outcome::Cancelled);
    EXPECT_EQ(progressDone(), (QList<double>{26, 52}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), (QStringList{QStringLiteral("disc.bin"), QStringLiteral("disc.cue")}));
}

}  // namespace
}  // namespace sonorelle
