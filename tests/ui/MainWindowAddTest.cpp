#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "support/Mp3Files.h"

#include <QApplication>
#include <QDropEvent>
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
    QString stored(const QString& valueName) const
    {
        return registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName);
    }
};

TEST_F(MainWindowAdd, AddButtonAddsTheSelectedFilesInListOrderAndKeepsTheFolder)
{
    mp3("b.mp3", "Second");
    mp3("a.mp3", "First");
    startQuietlyOverMusic();
    for (int row = 0; row < files->count(); ++row)
        files->item(row)->setSelected(true);
    press("Command1");
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(lines().mid(6), (QStringList{S("Lane - First"), S("Lane - Second")}));
    EXPECT_EQ(songs()->currentRow(), 7);
    EXPECT_EQ(stored(SettingsKeys::LastWorkDir), music.path());
    EXPECT_TRUE(find<QWidget>("Command1")->isEnabled());
}

TEST_F(MainWindowAdd, FilesDroppedOnTheSongListAreAddedInTheDroppedOrder)
{
    const QString one = mp3("one.mp3", "One");
    const QString two = mp3("two.mp3", "Two");
    startQuietlyOverMusic();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(two), QUrl::fromLocalFile(one)});
    QWidget* target = songs()->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(lines().mid(6), (QStringList{S("Lane - Two"), S("Lane - One")}));
}

TEST_F(MainWindowAdd, StartUpAddsTheCommandLinesFileOnceOrSaysWhyNot)
{
    const QString file = mp3("handed over.mp3", "Handed");
    ASSERT_TRUE(created);
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

}  // namespace
}  // namespace sonorelle::test
