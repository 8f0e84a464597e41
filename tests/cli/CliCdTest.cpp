#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "platform/CdUnits.h"
#include "support/CdImages.h"
#include "support/FileBytes.h"
#include "support/Mp3Files.h"

#include <QTemporaryDir>

namespace sonorelle::test {
namespace {

// A mixed-mode disc (data first) with CD-Text for track 2 only, chosen for ripping.
class CliCd : public CliFixture {
protected:
    CliCd()
    {
        const CdUnit unit = WriteCueImage(
            images.path(), S("disc"),
            ImageDisc{"Disc Title", "Disc Artist",
                      {ImageTrack{false, 0, 30, {}, {}}, ImageTrack{true, 10, 160, "Opening", "Band"},
                       ImageTrack{true, 0, 80, {}, {}}}});
        set(SettingsKeys::CDImages, unit.source);
        const QList<CdUnit> units = ListCDDrives(unit.source);
        for (qsizetype i = 0; i < units.size(); ++i) {
            if (units.at(i).source == unit.source)
                set(SettingsKeys::CDDrive, QString::number(i));
        }
    }

    QTemporaryDir images;
};

TEST_F(CliCd, ListsTheAudioTracksWithTheirCdText)
{
    const Run run = cli({S("tracks")});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, S("2\t40\t160\t0:02\tOpening\tBand\n3\t200\t80\t0:01\t\t\n"));
}

TEST_F(CliCd, RipsATrackIntoAWavFileAndRefusesADataTrack)
{
    const QString wav = images.filePath(S("two.wav"));

    const Run run = cli({S("rip"), S("2"), wav});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(wav), ExpectedWav(40, 160));
    cli({S("rip"), S("1"), images.filePath(S("one.wav"))}).expectFailure(1, S("Track 1 of"));
}

TEST_F(CliCd, AddsATrackUnderItsCdTextAndOneWithoutUnderItsSlotName)
{
    const Run run = cli({S("add"), S("--cd"), S("2"), S("3")});

    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, S("4\ts05\tBand - Opening\n5\ts06\ts06 - s06\n"));
    const Run shown = cli({S("show"), S("4")});
    for (const char* field : {"album\tDisc Title\n", "tag.title\tOpening\n", "tag.artist\tBand\n",
                              "tag.album\tDisc Title\n"})
        EXPECT_TRUE(shown.out.contains(S(field))) << shown.out.toStdString();
}

TEST_F(CliCd, ATruncatedImageFailsTheAddAndAddsNothing)
{
    WriteFile(images.filePath(S("disc.bin")), PatternBytes(0, 100 * 2352));
    const QStringList before = listed();

    cli({S("add"), S("--cd"), S("2")}).expectFailure(1, S("Track02.cda: the track could not be ripped: "));
    EXPECT_EQ(listed(), before);
    cli({S("add"), S("--cd"), S("x")}).expectFailure(1, S("x is not a track number"));
}

}  // namespace
}  // namespace sonorelle::test
