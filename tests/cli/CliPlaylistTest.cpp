#include "support/CliFixture.h"

#include "support/FileBytes.h"
#include "support/Mp3Files.h"

namespace sonorelle::test {
namespace {

using CliPlaylist = CliFixture;

TEST_F(CliPlaylist, PrintsEachEntryWithItsFullPathAndWhetherTheFileIsThere)
{
    const QString folder = home.filePath(S("lists"));
    WriteFile(folder + S("/Music/here.mp3"), "x");
    WriteFile(folder + S("/party.m3u"),
              "#EXTM3U\r\n#EXTINF:215,Kestrel Lane - Floodlights\r\nMusic\\here.mp3\r\n#EXTGRP:ignored\r\n"
              "gone\tname.mp3\r\n");
    const Run listed = cli({S("playlist"), folder + S("/party.m3u")});
    EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
    EXPECT_EQ(listed.out, S("0\t215\tKestrel Lane - Floodlights\t") + folder + S("/Music/here.mp3\tyes\n") +
                              S("1\t0\tgone\\tname.mp3\t") + folder + S("/gone\\tname.mp3\tno\n"));

    cli({S("playlist"), folder + S("/none.m3u")}).expectFailure(1, S("does not exist"));
}

}  // namespace
}  // namespace sonorelle::test
