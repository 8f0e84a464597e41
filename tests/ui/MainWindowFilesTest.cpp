#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "controls/ccXPButton.h"
#include "songdata/TagRecord.h"
#include "support/Mp3Files.h"
#include "ui/frmWinAmp.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

namespace sonorelle::test {
namespace {

// The browser over generated files: an MP3 with ID3v2 tags only, a WAV file holding
// the same bytes, a stream too short for a record, an MP2, and a subfolder.
class MainWindowFileTags : public MainWindowFixture {
protected:
    void SetUp() override
    {
        tagged = LameMp3(music.path(), S("tagged.mp3"),
                         Args({"--id3v2-only", "--tt", "Floodlights", "--ta", "Kestrel Lane", "--tl", "Extra Time",
                               "--ty", "2008", "--tc", "Under the lights"}));
        WriteFile(music.filePath(S("tone.wav")), ReadFile(tagged));
        WriteFile(music.filePath(S("cut.asf")), QByteArray(100, 'a'));
        WriteFile(music.filePath(S("clip.mp2")), {});
        WriteFile(music.filePath(S("notes.txt")), {});
        ASSERT_TRUE(QDir(music.path()).mkpath(S("Live/encore.mp3")));
        WriteFile(music.filePath(S("Live/crowd.wav")), {});
        startQuietlyOverMusic();
    }

    QStringList fileNames() const { return itemTexts(files); }

    QString tagged;
};

TEST_F(MainWindowFileTags, ListsTheAudioFilesSelectsAllAndOpensAFolder)
{
    EXPECT_EQ(fileNames(), (QStringList{S("clip.mp2"), S("cut.asf"), S("tagged.mp3"), S("tone.wav")}));
    files->setFocus();
    QKeyEvent selectAll(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
    QApplication::sendEvent(files, &selectAll);
    EXPECT_EQ(files->selectedItems().size(), 4);

    auto* folders = find<QTreeWidget>("Dir1");
    const QList<QTreeWidgetItem*> live = folders->findItems(S("Live"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(live.size(), 1);
    emit folders->itemActivated(live[0], 0);
    EXPECT_EQ(fileNames(), QStringList{S("crowd.wav")});
    EXPECT_EQ(folders->currentItem()->data(0, Qt::UserRole).toString(), music.filePath(S("Live")));
    // The folder that looks like an MP3 file is listed as a folder.
    EXPECT_EQ(folders->currentItem()->childCount(), 1);
}

TEST_F(MainWindowFileTags, ClickFillsOrEmptiesTheFileFieldsAndSwitchesPreview)
{
    struct Case {
        const char* name;
        QStringList fields;
        bool preview;
    };
    const Case cases[] = {
        {"tagged.mp3", {S("Floodlights"), S("Kestrel Lane"), S("Extra Time"), S("2008"), S("Under the lights")}, true},
        {"tone.wav", QStringList(5, QString()), true},
        {"clip.mp2", QStringList(5, QString()), false},
        {"cut.asf", QStringList(5, QString()), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* field : FileFields)
            find<QLineEdit>(field)->setText(S("old"));
        find<QWidget>("Command2")->setEnabled(false);
        find<QWidget>("Command10")->setEnabled(false);
        clickFile(S(c.name));
        EXPECT_EQ(fieldTexts(FileFields), c.fields);
        EXPECT_EQ(find<QWidget>("Command2")->isEnabled(), c.preview);
        EXPECT_EQ(find<QWidget>("Command10")->isEnabled(), c.preview);
    }
    EXPECT_EQ(messages, QStringList{S("The file is too short to hold a tag record: cut.asf - the selected file is "
                                      "damaged or empty.")});
}

// Which files take a record, where it goes and how it is laid out, the editor's tests check.
TEST_F(MainWindowFileTags, SavingWritesTheFieldsIntoTheClickedMp3)
{
    clickFile(S("tagged.mp3"));
    find<QLineEdit>("txtTitle")->setText(S("Floodlights (live)"));
    find<QLineEdit>("txtComment")->setText(S("typed"));
    press("Command5");
    EXPECT_TRUE(messages.isEmpty()) << noted();
    const TagRecord record = TagRecord::fromBytes(ReadFile(tagged).right(TagRecord::Size), CodePage());
    EXPECT_EQ((QStringList{record.StrTitle.trimmed(), record.StrArtist.trimmed(), record.StrAlbum.trimmed(),
                           record.StrYear, record.StrComment.trimmed()}),
              (QStringList{S("Floodlights (live)"), S("Kestrel Lane"), S("Extra Time"), S("2008"), S("typed")}));
}

TEST_F(MainWindowFileTags, FieldsOfAFileNoLongerSelectedAreClearedAndTheListFollowsTheFolder)
{
    clickFile(S("tagged.mp3"));
    ASSERT_EQ(find<QLineEdit>("txtTitle")->text(), S("Floodlights"));
    // What Setup's close does: the browser placed anew.
    window->placeFileBrowser(music.path());
    EXPECT_EQ(fieldTexts(FileFields), QStringList(5, QString()));
    const QByteArray audio = ReadFile(tagged);
    press("Command5");
    EXPECT_EQ(ReadFile(tagged), audio);
    EXPECT_EQ(messages, QStringList{S("Select one or more files in the file list first.")});

    clickFile(S("tagged.mp3"));
    WriteFile(music.filePath(S("arrived.mp3")), {});
    EXPECT_TRUE(QTest::qWaitFor([this] { return fileNames().contains(S("arrived.mp3")); }));
    EXPECT_EQ(files->currentItem()->text(), S("tagged.mp3"));
    EXPECT_EQ(find<QLineEdit>("txtTitle")->text(), S("Floodlights"));
    QFile::remove(tagged);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !fileNames().contains(S("tagged.mp3")); }));
    EXPECT_EQ(fieldTexts(FileFields), QStringList(5, QString()));
}

TEST_F(MainWindowFileTags, LongTextsShowWholeTypingCannotLengthenThemAndTheRecordTakes30)
{
    const QString title = S("Thirty-Five Characters Of Floodlit");
    const QString longer = title + u'!';
    const QString file = LameMp3(music.path(), S("long.mp3"), QStringList{S("--id3v2-only"), S("--tt"), longer});
    window->placeFileBrowser(music.path());
    clickFile(S("long.mp3"));
    auto* box = find<QLineEdit>("txtTitle");
    EXPECT_EQ(box->text(), longer);

    box->setFocus();
    box->end(false);
    const auto type = [box](Qt::Key key, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(box, &press);
    };
    type(Qt::Key_X, S("x"));
    EXPECT_EQ(box->text().toStdString(), longer.toStdString()) << "typing made a text past the limit longer";
    type(Qt::Key_Backspace, {});
    EXPECT_EQ(box->text().toStdString(), title.toStdString());

    press("Command5");
    const TagRecord record = TagRecord::fromBytes(ReadFile(file).right(TagRecord::Size), CodePage());
    EXPECT_EQ(record.StrTitle, longer.left(30));
}

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
