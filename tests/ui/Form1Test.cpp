#include "ui/Form1.h"

#include "app/SettingsKeys.h"
#include "demogame/DemoGame.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

// The real program's start-up on a generated game, with the tools of the build.
class MainWindowStartup : public ::testing::Test {
protected:
    MainWindowStartup()
    {
        DemoGame::Options options;
        options.toolDir = test::BinDir();
        QString error;
        created = game.create(options, &error);
        EXPECT_TRUE(created) << error.toStdString();
        set(SettingsKeys::InstallDir, test::BinDir());
        set(SettingsKeys::Language, test::BinDir() + QStringLiteral("/languages/English.lng"));
        set(SettingsKeys::CDDrive, QStringLiteral("0"));
        // A message box would wait for a click that never comes: note and close it.
        closeMessageBoxes();
    }

    void set(const QString& valueName, const QString& text)
    {
        EXPECT_TRUE(registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName, text));
    }

    void closeMessageBoxes()
    {
        QObject::connect(&watch, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages.append(box->text());
                box->accept();
            }
        });
        watch.start(100);
    }

    QTemporaryDir root;
    DemoGame game{root.filePath(QStringLiteral("demo"))};
    bool created = false;
    Registry registry{root.filePath(QStringLiteral("registry.reg")), game.winePrefix()};
    QTimer watch;
    QStringList messages;
};

TEST_F(MainWindowStartup, ShowsTheGamesSongsWithTheFirstOneSelected)
{
    ASSERT_TRUE(created);
    Form1 window(registry, QStringLiteral("/nonexistent"), QString());
    ASSERT_TRUE(window.start());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(window.isVisible());

    auto* songs = window.findChild<QListWidget*>(QStringLiteral("lstSong"));
    ASSERT_NE(songs, nullptr);
    EXPECT_EQ(songs->count(), DemoGame::defaultSongs().size());
    EXPECT_EQ(songs->currentRow(), 0);
    EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("Dir1"))->text(), QDir::homePath());
    EXPECT_FALSE(window.findChild<QPushButton*>(QStringLiteral("Command17"))->isEnabled());
    EXPECT_EQ(window.shared().GameDir, game.gameDir());
    EXPECT_EQ(window.shared().LangName, QStringLiteral("English"));
    // The shipped songs were tagged once.
    EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::FirstRun),
              QStringLiteral("1"));
    window.close();
}

TEST_F(MainWindowStartup, MissingEncoderIsToldAndTheWindowStaysHidden)
{
    ASSERT_TRUE(created);
    QTemporaryDir program;
    QFile::link(test::BinDir() + QStringLiteral("/addon2"), program.filePath(QStringLiteral("addon2")));
    QFile::link(test::BinDir() + QStringLiteral("/languages"), program.filePath(QStringLiteral("languages")));
    set(SettingsKeys::InstallDir, program.path());
    Form1 window(registry, QStringLiteral("/nonexistent"), QString());
    EXPECT_FALSE(window.start());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(program.path() + QStringLiteral("/addon3")));
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace sonorelle
