#include "audio/ExportOperation.h"
#include "audio/PreviewOperation.h"
#include "audio/PreviewPlayer.h"
#include "audio/PreviewRoute.h"
#include "support/FileBytes.h"
#include "support/GameFixture.h"
#include "support/Mp3Files.h"
#include "support/TestEnvironment.h"
#include "support/ToolRun.h"

#include <QDir>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

// One song of three seconds with a Cyrillic title, which the record cannot hold.
class SongExportTest : public ::testing::Test {
protected:
    SongExportTest()
    {
        DemoSong tune = GameFixture::song(QStringLiteral("s700"), QStringLiteral("Artist"), CyrillicTitle, -1);
        tune.seconds = 3.0;
        game = std::make_unique<GameFixture>(QList<DemoSong>{tune});
        game->shared.TempDir = temp.path();
        game->document->NameExpert();
    }

    OperationResult exportTo(const QString& destination)
    {
        ExportOperation exporting(game->shared, &GameFixture::texts, *game->document, 0, fields(), destination);
        return exporting.run(game->feedback);
    }
    static SlotTagFields fields() { return {CyrillicTitle, S("Артист"), S("Album"), S("2009"), {}}; }

    static inline const QString CyrillicTitle = S("Пой со мной, ёж");
    QTemporaryDir temp;
    QTemporaryDir tools;
    QTemporaryDir out;
    std::unique_ptr<GameFixture> game;
};

TEST_F(SongExportTest, DecodesFromTheCopyWithoutItsRecordWhenTheStreamEndsInOne)
{
    const struct {
        const char* name;
        QByteArray tail;
        const char* input;
    } rows[] = {{"no record", {}, "playwav.sng"},
                {"lower-case record", "tag" + QByteArray(125, 'x'), "playwavt.sng"}};
    PreviewPlayer silent(game->feedback);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QString stream = game->streamPath(QStringLiteral("s700"));
        AppendToFile(stream, row.tail);
        PreviewOperation preview(game->shared, &GameFixture::texts, silent, stream,
                                 StreamDecoder::TagRecordCut::WhenPresent);
        EXPECT_TRUE(preview.run(game->feedback).succeeded());
        EXPECT_EQ(preview.decoded().input, temp.filePath(QString::fromLatin1(row.input)));
        if (!row.tail.isEmpty()) {
            EXPECT_EQ(QFileInfo(temp.filePath(QStringLiteral("playwavt.sng"))).size(),
                      QFileInfo(temp.filePath(QStringLiteral("playwav.sng"))).size() - 128);
        }
        EXPECT_GT(QFileInfo(temp.filePath(QStringLiteral("playwav.wav"))).size(), 3 * 44100 * 4);
        WriteFile(stream, ReadFile(stream).chopped(row.tail.size()));
    }
    EXPECT_TRUE(game->feedback.messages.isEmpty());
}

TEST_F(SongExportTest, WritesA192kMp3OfTheSongWithBothTags)
{
    const OperationResult result = exportTo(out.filePath(QStringLiteral("song")));
    ASSERT_TRUE(result.succeeded()) << result.summary.toStdString();
    const QString mp3 = out.filePath(QStringLiteral("song.mp3"));

    const ToolRun probed = RunToEnd(QStringLiteral("ffprobe"), Args({"-v", "error", "-select_streams", "a:0", "-show_entries",
                                                                      "stream=bit_rate,duration", "-of", "default=nw=1"})
                                                                    + QStringList{mp3});
    const QStringList probe = QString::fromUtf8(probed.out).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(probe.contains(QStringLiteral("bit_rate=192000"))) << probe.join(u' ').toStdString();
    const QString duration = probe.filter(QStringLiteral("duration=")).value(0).mid(9);
    EXPECT_NEAR(duration.toDouble(), 3.0, 0.1);

    const QString id3v2 = QString::fromUtf8(RunToEnd(QStringLiteral("mid3v2"), {QStringLiteral("-l"), mp3}).out);
    EXPECT_TRUE(id3v2.contains(QStringLiteral("\nTIT2=%1\n").arg(CyrillicTitle))) << id3v2.toStdString();
    EXPECT_TRUE(id3v2.contains(S("TPE1=Артист"))) << id3v2.toStdString();
    EXPECT_TRUE(id3v2.contains(QStringLiteral("Sonorelle"))) << id3v2.toStdString();
}

TEST_F(SongExportTest, AFailedOrCancelledRunLeavesTheDestinationAsItWas)
{
    const QString existing = out.filePath(QStringLiteral("old.mp3"));
    WriteFile(existing, "the person's own file");
    // An earlier export's MP3 must not pass for this one's.
    WriteFile(temp.filePath(QStringLiteral("playwav.mp3")), "stale");

    // addon3 of the build beside an addon1 that fails.
    QFile::link(BinDir() + QStringLiteral("/addon3"), tools.filePath(QStringLiteral("addon3")));
    WriteScript(tools.filePath(QStringLiteral("addon1")), "#!/bin/sh\necho 'addon1: disk full' >&2\nexit 1\n");
    game->shared.ProgramDir = tools.path();
    EXPECT_EQ(exportTo(existing).outcome, OperationResult::Outcome::Failed);
    ASSERT_EQ(game->feedback.messages.size(), 1);
    EXPECT_TRUE(game->feedback.messages[0].text.contains(QStringLiteral("Encoding the MP3")));
    EXPECT_TRUE(game->feedback.messages[0].text.contains(QStringLiteral("disk full")));

    game->shared.ProgramDir = BinDir();
    game->feedback.cancel = true;
    EXPECT_EQ(exportTo(existing).outcome, OperationResult::Outcome::Cancelled);
    EXPECT_EQ(exportTo(out.filePath(QStringLiteral("new"))).outcome, OperationResult::Outcome::Cancelled);

    EXPECT_EQ(ReadFile(existing), "the person's own file");
    EXPECT_EQ(QDir(out.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.mp3")});
    EXPECT_FALSE(game->feedback.progressVisible);
}

TEST(ExportName, GetsMp3AppendedOnlyWhenItLacksIt)
{
    EXPECT_EQ(ExportOperation::WithMp3Extension(QStringLiteral("/m/song.MP3")), QStringLiteral("/m/song.MP3"));
    EXPECT_EQ(ExportOperation::WithMp3Extension(QStringLiteral("/m/song.wav")), QStringLiteral("/m/song.wav.mp3"));
}

TEST(PreviewRoute, PlaysMp3AndWavDirectlyDecodesStreamsAndSkipsTheRest)
{
    const std::pair<const char*, PreviewRoute> rows[] = {
        {"mp3", PreviewRoute::Direct},   {"WAV", PreviewRoute::Direct},   {"sng", PreviewRoute::Decoded},
        {"str", PreviewRoute::Decoded},  {"asf", PreviewRoute::Decoded},  {"cda", PreviewRoute::CdTrack},
        {"mp2", PreviewRoute::Nothing},  {"aif", PreviewRoute::Nothing},  {"iff", PreviewRoute::Nothing}};
    for (const auto& [extension, route] : rows)
        EXPECT_EQ(PreviewRouteOf(QString::fromLatin1(extension)), route) << extension;
}

}  // namespace
}  // namespace sonorelle::test
