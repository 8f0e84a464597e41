#include "audio/PreviewOperation.h"
#include "audio/PreviewPlayer.h"
#include "playback/MediaPlayer.h"
#include "support/FileBytes.h"
#include "support/GameFixture.h"
#include "support/Mp3Files.h"

#include <QMediaPlayer>
#include <QTest>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

// The real player on the GStreamer backend, as the window uses it.
class MediaPlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { qputenv("QT_MEDIA_BACKEND", "gstreamer"); }

    MediaPlayerTest()
        : game({GameFixture::song(QStringLiteral("s700"), QStringLiteral("Artist"), QStringLiteral("Title"), -1)})
        , preview(game.feedback)
    {
        preview.setPlayer(&player);
        game.shared.TempDir = temp.path();
    }

    // Playing, and the position moves on past `from`.
    bool playsOnFrom(qint64 from)
    {
        QMediaPlayer& media = player.mediaPlayer();
        return QTest::qWaitFor([&] {
            return media.playbackState() == QMediaPlayer::PlayingState && media.position() > from + 300;
        }, 10000);
    }

    QTemporaryDir temp;
    GameFixture game;
    MediaPlayer player;
    PreviewPlayer preview;
};

TEST_F(MediaPlayerTest, PlaysAnMp3AWavAgainFromTheStartAndADecodedStream)
{
    const QString wav = temp.filePath(QStringLiteral("tone.wav"));
    RunTool(QStringLiteral("sox"), Args({"-n", "-r", "44100", "-c", "2", "-b", "16"}) + QStringList{wav}
                                       + Args({"synth", "3", "sine", "440"}));
    const QString mp3 = temp.filePath(QStringLiteral("tone.mp3"));
    RunTool(QStringLiteral("lame"), {QStringLiteral("--quiet"), wav, mp3});
    QMediaPlayer& media = player.mediaPlayer();

    preview.MciPlayFile(mp3);
    EXPECT_TRUE(playsOnFrom(0)) << media.errorString().toStdString();
    preview.MciPlayFile(wav);
    ASSERT_TRUE(playsOnFrom(600)) << media.errorString().toStdString();
    const qint64 before = media.position();
    preview.MciPlayFile(wav);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return media.playbackState() == QMediaPlayer::PlayingState && media.position() > 0
               && media.position() < before;
    }, 10000)) << "played again, a file starts from its beginning";

    PreviewOperation decoded(game.shared, &GameFixture::texts, preview, game.streamPath(QStringLiteral("s700")),
                             StreamDecoder::TagRecordCut::WhenPresent);
    ASSERT_TRUE(decoded.run(game.feedback).succeeded());
    EXPECT_TRUE(playsOnFrom(0));
    EXPECT_EQ(media.source().toLocalFile(), temp.filePath(QStringLiteral("playwav.wav")));
    EXPECT_TRUE(game.feedback.messages.isEmpty());

    preview.MciStopFile();
    EXPECT_EQ(media.playbackState(), QMediaPlayer::StoppedState);
}

TEST_F(MediaPlayerTest, AMissingFileIsSilentAndAnUnreadableOneGivesThePlayersError)
{
    preview.MciPlayFile(temp.filePath(QStringLiteral("gone.mp3")));
    QTest::qWait(300);
    EXPECT_EQ(player.mediaPlayer().playbackState(), QMediaPlayer::StoppedState);
    EXPECT_TRUE(game.feedback.messages.isEmpty());

    const QString garbage = temp.filePath(QStringLiteral("garbage.mp3"));
    WriteFile(garbage, QByteArray(4096, 'z'));
    preview.MciPlayFile(garbage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !game.feedback.messages.isEmpty(); }, 10000));
    EXPECT_EQ(game.feedback.messages.size(), 1);
    EXPECT_EQ(game.feedback.messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(game.feedback.messages[0].text.isEmpty());
}

}  // namespace
}  // namespace sonorelle::test
