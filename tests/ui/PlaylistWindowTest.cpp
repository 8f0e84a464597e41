#include "MainWindowFixture.h"

#include "support/Mp3Files.h"
#include "controls/ccXPButton.h"
#include "ui/frmWinAmp.h"

#include <QFile>
#include <QListWidget>

namespace sonorelle::test {
namespace {

// The playlist window over a playlist written at test time, adding what is checked.
class PlaylistWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
            LameMp3(music.path(), S(name), Args({"--id3v1-only", "--tt", name, "--ta", "Lane"}));
        // A game stream takes the copy path.
        QFile::copy(game.audioDir() + S("s700.sng"), music.filePath(S("e.str")));
        WriteFile(music.filePath(S("list.m3u")),
                  "#EXTM3U\n#EXTINF:1,Delta\nd.mp3\n#EXTINF:1,Alpha\na.mp3\n#EXTINF:1,Echo\ne.str\n"
                  "#EXTINF:1,Bravo\nb.mp3\n#EXTINF:1,Charlie\nc.mp3\n");
        startQuietlyOverMusic();
        press("Command17");
        playlist = window->findChild<frmWinAmp*>();
        ASSERT_TRUE(playlist && playlist->isVisible());
        playlist->loadPlaylist(music.filePath(S("list.m3u")));
        list = playlist->findChild<QListWidget*>(S("listview1"));
    }

    QStringList titles() const { return itemTexts(list); }
    int songCount() const { return find<QListWidget>("lstSong")->count(); }
    bool checkedAt(int row) const { return list->item(row)->checkState() == Qt::Checked; }

    frmWinAmp* playlist = nullptr;
    QListWidget* list = nullptr;
};

TEST_F(PlaylistWindow, AddsTheCheckedEntriesInTheSortedOrderAndUnchecksWhatItAdded)
{
    ASSERT_EQ(titles(), (QStringList{S("Delta"), S("Alpha"), S("Echo"), S("Bravo"), S("Charlie")}));
    playlist->findChild<ccXPButton*>(S("Command8"))->click();  // sort
    ASSERT_EQ(titles(), (QStringList{S("Alpha"), S("Bravo"), S("Charlie"), S("Delta"), S("Echo")}));
    for (int row : {3, 0, 4})
        playlist->setChecked(row, true);
    QFile::remove(music.filePath(S("d.mp3")));  // deleted after loading

    playlist->findChild<ccXPButton*>(S("Command3"))->click();

    EXPECT_EQ(songCount(), 6 + 2);
    EXPECT_EQ(itemTexts(find<QListWidget>("lstSong"), 6).first(), S("Lane - a.mp3"));
    EXPECT_FALSE(checkedAt(0));
    EXPECT_TRUE(checkedAt(3)) << "the deleted file stays checked";
    EXPECT_FALSE(checkedAt(4)) << "the game stream was added by copying";
    EXPECT_EQ(messages.size(), 1) << "the run's end names the file it could not add";
    EXPECT_TRUE(messages.value(0).contains(S("d.mp3"))) << noted();
}

}  // namespace
}  // namespace sonorelle::test
