#include "audio/RipTrack.h"
#include "platform/CdDisc.h"
#include "support/CdImages.h"
#include "support/FileBytes.h"
#include "support/NamedRows.h"
#include "support/RecordingFeedback.h"

#include <QFileInfo>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace sonorelle {
namespace {

using test::PrintTo;
using test::ImageDisc;
using test::ImageTrack;
using Outcome = OperationResult::Outcome;

class RipTrackTest : public testing::Test {
protected:
    // Data first, then a track of exactly 100 frames at frame 40, then a short one;
    // binFrames cuts the data file short.
    void openDisc(qint64 binFrames = -1)
    {
        const CdUnit unit = test::WriteCueImage(dir.path(), QStringLiteral("disc"),
                                                ImageDisc{{}, {}, {ImageTrack{false, 0, 30, {}, {}}, ImageTrack{true, 10, 100, {}, {}},
                                                                   ImageTrack{true, 0, 3, {}, {}}}});
        if (binFrames >= 0)
            test::WriteFile(dir.path() + QStringLiteral("/disc.bin"), test::PatternBytes(0, binFrames * 2352));
        QString error;
        disc = CdDisc::OpenCD(unit, &error);
        ASSERT_TRUE(disc) << error.toStdString();
    }

    QList<double> progressDone() const
    {
        QList<double> done;
        for (const test::RecordingFeedback::Progress& step : feedback.progress) {
            EXPECT_EQ(step.detail, QStringLiteral("Extracting track ") + QFileInfo(output).fileName());
            done << step.done;
        }
        return done;
    }

    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files); }

    QTemporaryDir dir;
    const QString output = dir.path() + QStringLiteral("/track.wav");
    std::unique_ptr<CdDisc> disc;
    test::RecordingFeedback feedback;
};

struct RipCase {
    const char* name;
    std::function<RipTrack(CdDisc&, const QString&)> rip;
    Outcome outcome;
    QList<double> progress;
    qint64 firstFrame;  // of the expected WAV when the rip succeeds
    qint64 frames;
};

const RipCase ripCases[] = {
    {"HundredFramesInChunksOf26", [](CdDisc& d, const QString& out) { return RipTrack::ofTrack(d, 2, out); },
     Outcome::Done, {26, 52, 78, 100}, 40, 100},
    {"FirstEqualsEnd", [](CdDisc& d, const QString& out) { return RipTrack(d, out, 50, 50); }, Outcome::Done, {}, 50, 0},
    {"DataTrack", [](CdDisc& d, const QString& out) { return RipTrack::ofTrack(d, 1, out); }, Outcome::Failed, {}, 0, 0},
    {"NoSuchTrack", [](CdDisc& d, const QString& out) { return RipTrack::ofTrack(d, 4, out); }, Outcome::Failed, {}, 0, 0},
    {"BackwardsRange", [](CdDisc& d, const QString& out) { return RipTrack(d, out, 60, 50); }, Outcome::Failed, {}, 0, 0},
};

class RipTrackCases : public RipTrackTest, public testing::WithParamInterface<RipCase> {};

// An older, longer file at the target is replaced whole or left alone.
TEST_P(RipTrackCases, WritesTheWholeWavOrLeavesTheOldFile)
{
    openDisc();
    const QByteArray old(300000, 'x');
    test::WriteFile(output, old);
    const OperationResult result = GetParam().rip(*disc, output).run(feedback);
    EXPECT_EQ(result.outcome, GetParam().outcome) << result.summary.toStdString();
    EXPECT_EQ(progressDone(), GetParam().progress);
    const QByteArray written = test::ReadFile(output);
    if (GetParam().outcome == Outcome::Done)
        EXPECT_TRUE(written == test::ExpectedWav(GetParam().firstFrame, GetParam().frames)) << written.size();
    else
        EXPECT_TRUE(written == old && result.summary.contains(output)) << result.summary.toStdString();
    EXPECT_EQ(files().size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Rips, RipTrackCases, testing::ValuesIn(ripCases),
                         [](const testing::TestParamInfo<RipCase>& param) { return param.param.name; });

TEST_F(RipTrackTest, AShortDataFileOrCancelStopsTheRipAndKeepsNothing)
{
    openDisc(100);
    const OperationResult failed = RipTrack::ofTrack(*disc, 2, output).run(feedback);
    EXPECT_EQ(failed.outcome, Outcome::Failed);
    EXPECT_TRUE(failed.summary.contains(QStringLiteral("sector 100")) && failed.summary.contains(disc->unit().source))
        << failed.summary.toStdString();
    EXPECT_EQ(progressDone(), (QList<double>{26, 52}));
    EXPECT_EQ(files(), (QStringList{QStringLiteral("disc.bin"), QStringLiteral("disc.cue")}));

    feedback.progress.clear();
    feedback.cancelWhen = [this] { return feedback.progress.size() == 1; };
    EXPECT_EQ(RipTrack(*disc, output, 0, 60).run(feedback).outcome, Outcome::Cancelled);
    EXPECT_EQ(progressDone(), QList<double>{26});
    EXPECT_EQ(files(), (QStringList{QStringLiteral("disc.bin"), QStringLiteral("disc.cue")}));
}

}  // namespace
}  // namespace sonorelle
