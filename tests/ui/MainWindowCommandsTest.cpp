#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "controls/ccXPButton.h"
#include "songdata/GameFixture.h"
#include "songdata/SongListFile.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

const char* const SlotFields[] = {"txtStrTitle", "txtStrArtist", "txtStrAlbum", "txtStrDate", "txtStrComment"};
const char* const FileFields[] = {"txtTitle", "txtArtist", "txtAlbum", "txtDate", "txtComment"};

class MainWindowCommands : public test::MainWindowFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(created);
        // Tag records of our own, so a slot click has something to show.
        for (const DemoSong& song : DemoGame::defaultSongs()) {
            const TagRecord record = TagRecord::forSlot(song.title + QStringLiteral(" (tagged)"), song.artist,
                                                        song.album, QStringLiteral("2009"), song.streamName);
            QString error;
            ASSERT_TRUE(TagRecordFile::write(game.audioDir() + song.streamName + QStringLiteral(".sng"), record,
                                             TagRecordFile::Placement::ReplaceAnyCaseTag, &error))
                << error.toStdString();
        }
        ASSERT_TRUE(startWindow());
        ASSERT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
        songs = find<QListWidget>("lstSong");
        window->songList().seedShuffle(7);
    }

    QStringList fieldTexts(const char* const (&names)[5]) const
    {
        QStringList texts;
        for (const char* name : names)
            texts.append(find<QLineEdit>(name)->text());
        return texts;
    }

    // What the slot's stream file says, as the fields show it.
    QStringList tagOf(const QString& streamName) const
    {
        TagRecord record;
        EXPECT_EQ(TagRecordFile::read(game.audioDir() + streamName + QStringLiteral(".sng"), record),
                  TagRecordFile::ReadResult::Tagged);
        return {TrimTrailingBlanks(record.StrTitle).left(20), TrimTrailingBlanks(record.StrArtist).left(20),
                TrimTrailingBlanks(record.StrAlbum).left(20), TrimTrailingBlanks(record.StrYear),
                TrimTrailingBlanks(record.StrComment).left(20)};
    }

    QStringList listedStreams() const
    {
        QStringList names;
        for (const SongListRecord& record : SongListFile::read(game.audioDir() + QStringLiteral("songlist.bin")))
            names.append(record.streamName);
        return names;
    }

    void press(const char* name) const { find<QAbstractButton>(name)->click(); }

    static void clickLabel(QWidget* label)
    {
        clickAt(label, QRectF(label->rect()).center());
    }

    // A press and release of the left button on the item, as a person clicks it.
    static void clickItem(QListWidget* list, int row)
    {
        list->show();
        clickAt(list->viewport(), QRectF(list->visualItemRect(list->item(row))).center());
    }

    static void clickAt(QWidget* widget, const QPointF& point)
    {
        const QPointF global = widget->mapToGlobal(point);
        QMouseEvent press(QEvent::MouseButtonPress, point, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, point, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &release);
    }

    QListWidget* songs = nullptr;
};

TEST_F(MainWindowCommands, SlotClickShowsTheStreamsTagsWithinTheFieldLimits)
{
    clickItem(songs, 2);
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(QStringLiteral("s702")));
    EXPECT_FALSE(fieldTexts(SlotFields)[0].isEmpty());
    songs->setCurrentRow(4);
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(QStringLiteral("s704")));

    const int slotLimits[] = {20, 20, 20, 4, 20};
    const int fileLimits[] = {30, 30, 30, 4, 30};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(find<QLineEdit>(SlotFields[i])->maxLength(), slotLimits[i]) << SlotFields[i];
        EXPECT_EQ(find<QLineEdit>(FileFields[i])->maxLength(), fileLimits[i]) << FileFields[i];
    }
}

TEST_F(MainWindowCommands, SavingSlotTagsWritesTheStreamTheListAndTheArchive)
{
    songs->setCurrentRow(1);
    const QStringList typed{QStringLiteral("Night Match"), QStringLiteral("Kestrel Lane"),
                            QStringLiteral("Extra Time"), QStringLiteral("2008"), QStringLiteral("typed")};
    for (int i = 0; i < 5; ++i)
        find<QLineEdit>(SlotFields[i])->setText(typed[i]);
    press("Command4");

    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(tagOf(QStringLiteral("s701")), typed);
    TagRecord record;
    TagRecordFile::read(game.audioDir() + QStringLiteral("s701.sng"), record);
    EXPECT_EQ(record.StrGenre, QStringLiteral("7"));
    const QList<SongListRecord> list = SongListFile::read(game.audioDir() + QStringLiteral("songlist.bin"));
    ASSERT_EQ(list.size(), 6);
    EXPECT_EQ(list[1].title, typed[0]);
    EXPECT_EQ(list[1].artist, typed[1]);
    EXPECT_EQ(list[1].album, typed[2]);
    QFile loose(game.audioDir() + QStringLiteral("songlist.bin"));
    ASSERT_TRUE(loose.open(QIODevice::ReadOnly));
    EXPECT_EQ(test::GameFixture::archivedListOf(game.audioDir()), loose.readAll());
    EXPECT_EQ(songs->item(1)->text(), QStringLiteral("Kestrel Lane - Night Match"));
    // The fields keep what was typed.
    EXPECT_EQ(fieldTexts(SlotFields), typed);
}

TEST_F(MainWindowCommands, SavingWithoutASelectedSlotIsRefused)
{
    songs->setCurrentRow(-1);
    find<QLineEdit>("txtStrTitle")->setText(QStringLiteral("Nowhere"));
    press("Command4");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], QStringLiteral("Select a song of the game first."));
}

TEST_F(MainWindowCommands, DeletingTheLastSongSelectsTheNewLastOneAndTrashesItsStream)
{
    songs->setCurrentRow(5);
    press("Command8");
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(songs->count(), 5);
    EXPECT_EQ(songs->currentRow(), 4);
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(QStringLiteral("s704")));
    EXPECT_FALSE(QFile::exists(game.audioDir() + QStringLiteral("s705.sng")));
    EXPECT_EQ(listedStreams(), (QStringList{QStringLiteral("s700"), QStringLiteral("s701"), QStringLiteral("s702"),
                                            QStringLiteral("s703"), QStringLiteral("s704")}));
}

TEST_F(MainWindowCommands, DeletingInTheMiddleKeepsThePosition)
{
    songs->setCurrentRow(2);
    press("Command8");
    EXPECT_EQ(songs->currentRow(), 2);
    EXPECT_EQ(listedStreams().at(2), QStringLiteral("s703"));
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(QStringLiteral("s703")));
}

TEST_F(MainWindowCommands, MovingUpAndDownFollowsTheSongAndStopsAtTheEnds)
{
    songs->setCurrentRow(2);
    press("Command18");
    EXPECT_EQ(songs->currentRow(), 1);
    EXPECT_EQ(listedStreams().mid(0, 3),
              (QStringList{QStringLiteral("s700"), QStringLiteral("s702"), QStringLiteral("s701")}));
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(QStringLiteral("s702")));

    press("Command19");
    EXPECT_EQ(songs->currentRow(), 2);
    EXPECT_EQ(listedStreams().mid(0, 3),
              (QStringList{QStringLiteral("s700"), QStringLiteral("s701"), QStringLiteral("s702")}));

    songs->setCurrentRow(5);
    press("Command19");
    EXPECT_EQ(songs->currentRow(), 5);
    EXPECT_EQ(listedStreams().last(), QStringLiteral("s705"));

    songs->setCurrentRow(0);
    press("Command18");
    EXPECT_EQ(songs->currentRow(), 0);
    EXPECT_EQ(listedStreams().first(), QStringLiteral("s700"));
}

TEST_F(MainWindowCommands, ShuffleKeepsEverySongAndTheSelectedPosition)
{
    songs->setCurrentRow(3);
    const QStringList before = listedStreams();
    press("Command20");
    const QStringList after = listedStreams();
    EXPECT_EQ(QSet<QString>(after.cbegin(), after.cend()), QSet<QString>(before.cbegin(), before.cend()));
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(songs->count(), 6);
    EXPECT_EQ(songs->currentRow(), 3);
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(after.at(3)));
}

TEST_F(MainWindowCommands, BusyStateSwitchesExactlyTheWorkingControls)
{
    const QStringList working{QStringLiteral("lstSong"),   QStringLiteral("File1"),     QStringLiteral("Dir1"),
                              QStringLiteral("Drive1"),    QStringLiteral("Command1"),  QStringLiteral("Command8"),
                              QStringLiteral("Command2"),  QStringLiteral("Command10"), QStringLiteral("Command4"),
                              QStringLiteral("Command5"),  QStringLiteral("Command9"),  QStringLiteral("Command11"),
                              QStringLiteral("Command12"), QStringLiteral("Command17"), QStringLiteral("Command18"),
                              QStringLiteral("Command19"), QStringLiteral("Command20")};
    const QStringList untouched{QStringLiteral("Image1"),       QStringLiteral("Image2"),
                                QStringLiteral("Image3"),       QStringLiteral("Image4"),
                                QStringLiteral("Label3"),       QStringLiteral("Label14"),
                                QStringLiteral("txtStrTitle"),  QStringLiteral("txtStrComment"),
                                QStringLiteral("txtTitle"),     QStringLiteral("txtDate"),
                                QStringLiteral("Frame1"),       QStringLiteral("Frame4")};
    const auto enabledOf = [this](const QStringList& names) {
        QList<bool> states;
        for (const QString& name : names) {
            auto* widget = window->findChild<QWidget*>(name);
            EXPECT_NE(widget, nullptr) << name.toStdString();
            states.append(widget && widget->isEnabled());
        }
        return states;
    };
    const QList<bool> allOn(working.size(), true);
    const QList<bool> allOff(working.size(), false);
    const QList<bool> untouchedOn(untouched.size(), true);

    window->Upr_Disabled();
    EXPECT_EQ(enabledOf(working), allOff);
    EXPECT_EQ(enabledOf(untouched), untouchedOn);
    window->Upr_Enabled();
    // The playlist button comes back even though start-up found no player.
    EXPECT_EQ(enabledOf(working), allOn);
    EXPECT_EQ(enabledOf(untouched), untouchedOn);
}

class MainWindowBrowser : public MainWindowCommands {
protected:
    void SetUp() override
    {
        for (const char* name : {"b.MP3", "a.wav", "c.mp2", "d.str", "e.txt", "f.sng"}) {
            QFile file(music.filePath(QString::fromLatin1(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        ASSERT_TRUE(QDir(music.path()).mkpath(QStringLiteral("Live/encore.mp3")));
        QFile live(music.filePath(QStringLiteral("Live/crowd.wav")));
        ASSERT_TRUE(live.open(QIODevice::WriteOnly));
        MainWindowCommands::SetUp();
        window->placeFileBrowser(music.path());
        files = find<QListWidget>("File1");
    }

    QStringList fileNames() const
    {
        QStringList names;
        for (int i = 0; i < files->count(); ++i)
            names.append(files->item(i)->text());
        return names;
    }

    // Clicks name with the file fields filled and the preview buttons off; the
    // fields must come out empty. Returns whether Command2 and Command10 are on.
    QList<bool> previewAfterClicking(const QString& name) const
    {
        for (const char* field : FileFields)
            find<QLineEdit>(field)->setText(QStringLiteral("old"));
        auto* play = find<QWidget>("Command2");
        auto* stop = find<QWidget>("Command10");
        play->setEnabled(false);
        stop->setEnabled(false);
        files->setCurrentRow(int(fileNames().indexOf(name)));
        EXPECT_EQ(fieldTexts(FileFields), QStringList(5, QString()));
        return {play->isEnabled(), stop->isEnabled()};
    }

    QTemporaryDir music;
    QListWidget* files = nullptr;
};

TEST_F(MainWindowBrowser, FileListShowsOnlyTheAudioFilesAndCtrlASelectsThemAll)
{
    EXPECT_EQ(fileNames(), (QStringList{QStringLiteral("a.wav"), QStringLiteral("b.MP3"), QStringLiteral("c.mp2"),
                                        QStringLiteral("f.sng")}));
    files->setFocus();
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(files, &selectAll);
    EXPECT_EQ(files->selectedItems().size(), 4);
}

TEST_F(MainWindowBrowser, WavClickEmptiesTheFileFieldsAndEnablesPreview)
{
    EXPECT_EQ(previewAfterClicking(QStringLiteral("a.wav")), (QList<bool>{true, true}));
}

TEST_F(MainWindowBrowser, Mp2ClickEmptiesTheFileFieldsAndLeavesPreviewAsItWas)
{
    EXPECT_EQ(previewAfterClicking(QStringLiteral("c.mp2")), (QList<bool>{false, false}));
}

TEST_F(MainWindowBrowser, OpeningAFolderShowsItsFiles)
{
    auto* folders = find<QTreeWidget>("Dir1");
    const QList<QTreeWidgetItem*> live = folders->findItems(QStringLiteral("Live"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(live.size(), 1);
    emit folders->itemActivated(live[0], 0);
    EXPECT_EQ(fileNames(), QStringList{QStringLiteral("crowd.wav")});
    EXPECT_EQ(folders->currentItem()->data(0, Qt::UserRole).toString(), music.filePath(QStringLiteral("Live")));
    // The folder that looks like an MP3 file is listed as a folder.
    EXPECT_EQ(folders->currentItem()->childCount(), 1);
}

class MainWindowDrives : public MainWindowCommands {
protected:
    void SetUp() override
    {
        // A disc image whose data file is missing: a CD unit without a disc.
        QFile cue(images.filePath(QStringLiteral("empty.cue")));
        ASSERT_TRUE(cue.open(QIODevice::WriteOnly));
        cue.write("FILE \"empty.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
        cue.close();
        set(SettingsKeys::CDImages, cue.fileName());
        MainWindowCommands::SetUp();
    }

    QTemporaryDir images;
};

TEST_F(MainWindowDrives, ADriveThatIsNotReadyIsToldAndTheListReturns)
{
    auto* drives = find<QComboBox>("Drive1");
    auto* folders = find<QTreeWidget>("Dir1");
    const int before = drives->currentIndex();
    const QString folderBefore = folders->currentItem()->data(0, Qt::UserRole).toString();
    const int image = drives->findText(QStringLiteral("CD: empty.cue"));
    ASSERT_GE(image, 0);

    drives->setCurrentIndex(image);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].section(u'\n', 0, 0),
              QStringLiteral("The drive CD: empty.cue is not ready. Insert a disc or choose another drive."));
    EXPECT_TRUE(messages[0].contains(images.filePath(QStringLiteral("empty.bin")))) << messages[0].toStdString();
    EXPECT_EQ(drives->currentIndex(), before);
    EXPECT_EQ(folders->currentItem()->data(0, Qt::UserRole).toString(), folderBefore);
    EXPECT_EQ(window->shared().DriveReady, QStringLiteral("no"));
}

TEST_F(MainWindowDrives, AReadyDriveOpensAtItsRoot)
{
    auto* drives = find<QComboBox>("Drive1");
    int rootEntry = -1;
    for (int i = 0; i < drives->count() && rootEntry < 0; ++i) {
        if (drives->itemText(i) == u"/" || drives->itemText(i).startsWith(QStringLiteral("/  [")))
            rootEntry = i;
    }
    ASSERT_GE(rootEntry, 1) << "the file system's root is listed after the home folder";
    drives->setCurrentIndex(rootEntry);
    EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    EXPECT_EQ(window->shared().DriveReady, QStringLiteral("yes"));
    EXPECT_EQ(find<QTreeWidget>("Dir1")->topLevelItem(0)->data(0, Qt::UserRole).toString(), QStringLiteral("/"));
}

TEST_F(MainWindowCommands, RunningTheGameWithoutWineIsTold)
{
    QTemporaryDir emptyPath;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    clickLabel(find<QWidget>("Image3"));
    clickLabel(find<QWidget>("Label14"));
    qputenv("PATH", savedPath);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Wine"))) << messages[0].toStdString();
}

TEST_F(MainWindowCommands, SetupAndAboutOpenBesideTheWindowAndExitClosesEveryWindowTwiceOver)
{
    clickLabel(find<QWidget>("Image4"));
    clickLabel(find<QWidget>("Label3"));
    auto* setup = window->findChild<QWidget*>(QStringLiteral("Form2"));
    auto* about = window->findChild<QWidget*>(QStringLiteral("frmAbout"));
    ASSERT_NE(setup, nullptr);
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(setup->isVisible());
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    clickLabel(find<QWidget>("Image2"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(setup->isVisible());
    EXPECT_FALSE(about->isVisible());
    window->close();
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace sonorelle
