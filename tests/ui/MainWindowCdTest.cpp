#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "playback/MediaPlayer.h"
#include "support/CdImages.h"
#include "support/Mp3Files.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMediaPlayer>
#include <QTest>

namespace sonorelle::test {
namespace {

constexpr int Second = 75;  // frames

// The window over a CD unit that is a generated disc image: a data track first, then
// track 2 with CD-Text and track 3 without.
class MainWindowCd : public MainWindowFixture {
protected:
    static void SetUpTestSuite() { qputenv("QT_MEDIA_BACKEND", "gstreamer"); }

    MainWindowCd()
    {
        disc = WriteCueImage(music.path(), S("disc"),
                             ImageDisc{"Disc Title", "Disc Artist",
                                       {ImageTrack{false, 0, 30, {}, {}},
                                        ImageTrack{true, 10, 5 * Second, "Opening", "Band"},
                                        ImageTrack{true, 0, 2 * Second, {}, {}}}});
        set(SettingsKeys::CDImages, disc.source);
    }

    QStringList songLines() const { return itemTexts(find<QListWidget>("lstSong")); }

    CdUnit disc;
};

// Which name a track is added under, the command line's tests check.
TEST_F(MainWindowCd, AnAudioDiscListsItsAudioTracksAClickShowsTheLengthPlayPlaysAndAddAdds)
{
    startQuietlyOverMusic();
    auto* drives = find<QComboBox>("Drive1");
    drives->setCurrentIndex(drives->findText(S("CD: ") + disc.label));
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(itemTexts(files), (QStringList{S("Track02.cda"), S("Track03.cda")}));

    auto* length = find<QLabel>("lblTrackLength");
    clickFile(S("Track03.cda"));
    EXPECT_EQ(length->text(), S("0:02"));
    clickFile(S("Track02.cda"));
    EXPECT_EQ(length->text(), S("0:05   Band - Opening"));
    EXPECT_EQ(fieldTexts(FileFields), QStringList(5, QString()));

    // The track plays as it is read.
    QMediaPlayer& media = window->findChild<MediaPlayer*>()->mediaPlayer();
    press("Command2");
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return media.playbackState() == QMediaPlayer::PlayingState && media.position() > 300;
    })) << media.errorString().toStdString();
    press("Command10");
    EXPECT_EQ(media.playbackState(), QMediaPlayer::StoppedState);

    press("Command1");
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(songLines().mid(6), QStringList{S("Band - Opening")});
}

TEST_F(MainWindowCd, ATrackThatReadsAsNothingStopsTheRunAndOpensTheSetup)
{
    const CdUnit empty = WriteCueImage(music.path(), S("empty"),
                                       ImageDisc{{}, {}, {ImageTrack{true, 0, 0, {}, {}}, ImageTrack{true, 0, 75, {}, {}}}});
    ASSERT_TRUE(startWindow(empty.source + S("/Track01.cda")));
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_TRUE(messages[0].startsWith(S("Wrong CD Drive selected"))) << noted();
    EXPECT_EQ(songLines().size(), 6);
    EXPECT_TRUE(find<QWidget>("Form2")->isVisible());
    EXPECT_TRUE(find<QWidget>("Command1")->isEnabled());
}

}  // namespace
}  // namespace sonorelle::test
