#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "controls/ccXPButton.h"
#include "support/Mp3Files.h"
#include "ui/frmWinAmp.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QUrl>

namespace sonorelle::test {
namespace {

// The window adding songs made by lame, as a person picks, drops or hands them over.
class MainWindowAdd : public MainWindowFixture {
protected:
    QString mp3(const char* name, const char* title) const
    {
        return LameMp3(music.path(), S(name), Args({"--id3v1-only", "--tt", title, "--ta", "Lane"}));
    }
    QStringList lines() const { return itemTexts(songs()); }
    QListWidget* songs() const { return find<QListWidget>("lstSong"); }
};

TEST_F(MainWindowAdd, AddButtonTakesTheListOrderAndADropTheDroppedOrder)
{
    const QString second = mp3("b.mp3", "Second");
    const QString first = mp3("a.mp3", "First");
    startQuietlyOverMusic();
    for (int row = 0; row < files->count(); ++row)
        files->item(row)->setSelected(true);
    press("Command1");
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(lines().mid(6), (QStringList{S("Lane - First"), S("Lane - Second")}));
    EXPECT_EQ(songs()->currentRow(), 7);
    EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey,
                                    SettingsKeys::LastWorkDir),
              music.path());
    EXPECT_TRUE(find<QWidget>("Command1")->isEnabled());

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(second), QUrl::fromLocalFile(first)});
    QWidget* target = songs()->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(lines().mid(8), (QStringList{S("Lane - Second"), S("Lane - First")}));
}

TEST_F(MainWindowAdd, StartUpAddsTheCommandLinesFileOnceOrSaysWhyNot)
{
    const QString file = mp3("handed over.mp3", "Handed");
    ASSERT_TRUE(startWindow(file));
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(lines().value(6), S("Lane - Handed"));
    // Start-up runs again when Setup closes; the file is not added twice.
    window->FormLoad();
    EXPECT_EQ(lines().size(), 7);

    ASSERT_TRUE(startWindow(music.filePath(S("gone.mp3"))));
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(S("gone.mp3: does not exist"))) << noted();
    EXPECT_EQ(lines().size(), 7);
}

// The playlist window over a playlist written at test time, adding what is checked.
class PlaylistWindow : public MainWindowAdd {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"})
            mp3(name, name);
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

    EXPECT_EQ(lines().size(), 6 + 2);
    EXPECT_EQ(lines().value(6), S("Lane - a.mp3"));
    EXPECT_FALSE(checkedAt(0));
    EXPECT_TRUE(checkedAt(3)) << "the deleted file stays checked";
    EXPECT_FALSE(checkedAt(4)) << "the game stream was added by copying";
    EXPECT_EQ(messages.size(), 1) << "the run's end names the file it could not add";
    EXPECT_TRUE(messages.value(0).contains(S("d.mp3"))) << noted();
}

}  // namespace
}  // namespace sonorelle::test
