#include "MainWindowFixture.h"

#include "support/FileBytes.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>

namespace sonorelle::test {
namespace {

class MainWindowExport : public MainWindowFixture {
protected:
    // Presses Command12 on the first song and answers its save dialog: with name
    // typed and accepted, or cancelled when name is empty.
    void exportFirstSong(const QString& name)
    {
        find<QListWidget>("lstSong")->setCurrentRow(0);
        bool answered = false;
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            answered = true;
            if (name.isEmpty()) {
                dialog->reject();
                return;
            }
            // Typed as a person would: the dialog's own directory listing may still be loading.
            auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(typed, nullptr);
            typed->setText(music.filePath(name));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        answer.start(50);
        press("Command12");
        EXPECT_TRUE(answered) << "no save dialog came up";
    }
};

TEST_F(MainWindowExport, CancelChangesNothingAndAnAcceptedNameGetsItsExtension)
{
    startQuietlyOverMusic();
    const QByteArray list = ReadFile(game.audioDir() + QStringLiteral("songlist.bin"));
    ASSERT_FALSE(list.isEmpty());
    exportFirstSong(QString());
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_TRUE(QDir(music.path()).isEmpty());
    EXPECT_EQ(ReadFile(game.audioDir() + QStringLiteral("songlist.bin")), list);
    EXPECT_TRUE(find<QAbstractButton>("Command12")->isEnabled());

    exportFirstSong(QStringLiteral("first song"));
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_TRUE(QFileInfo(music.filePath(QStringLiteral("first song.mp3"))).size() > 0);
    const QString artist = DemoGame::defaultSongs().first().artist;
    EXPECT_TRUE(find<QListWidget>("lstSong")->item(0)->text().contains(artist));
}

}  // namespace
}  // namespace sonorelle::test
