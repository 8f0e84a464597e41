#include "MainWindowFixture.h"

#include "songdata/TagRecord.h"
#include "support/Mp3Files.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTreeWidget>

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

}  // namespace
}  // namespace sonorelle::test
