#include "support/CliFixture.h"

#include "support/FileBytes.h"

namespace sonorelle::test {
namespace {

using CliExport = CliFixture;

TEST_F(CliExport, WritesTheSongAsMp3AndPrintsItsPathOrSaysWhyNot)
{
    DemoSong tune = GameFixture::song(QStringLiteral("s01"), QStringLiteral("Artist"), QStringLiteral("Title"), -1);
    tune.seconds = 2.0;
    useSongs({tune});
    QTemporaryDir out;

    const Run written = cli({QStringLiteral("export"), QStringLiteral("0"), out.filePath(QStringLiteral("song"))});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    const QString mp3 = out.filePath(QStringLiteral("song.mp3"));
    EXPECT_EQ(written.out, mp3 + u'\n');
    EXPECT_EQ(ReadFile(mp3).right(128).mid(97, 9), "Sonorelle");
    // Without a tag record the fields are empty; the list entry keeps its texts.
    EXPECT_EQ(listed(), QStringList{QStringLiteral("Artist - Title")});

    cli({QStringLiteral("export"), QStringLiteral("0"), out.filePath(QStringLiteral("missing/song.mp3"))})
        .expectFailure(1, QStringLiteral("Copying the MP3 to ") + out.filePath(QStringLiteral("missing/song.mp3")));
}

}  // namespace
}  // namespace sonorelle::test
