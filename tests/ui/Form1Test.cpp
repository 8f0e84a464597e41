#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

using MainWindowStartup = test::MainWindowFixture;

TEST_F(MainWindowStartup, ShowsTheGamesSongsWithTheFirstOneSelected)
{
    ASSERT_TRUE(created);
    ASSERT_TRUE(startWindow());
    EXPECT_TRUE(messages.isEmpty()) << messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(window->isVisible());

    auto* songs = find<QListWidget>("lstSong");
    ASSERT_NE(songs, nullptr);
    EXPECT_EQ(songs->count(), DemoGame::defaultSongs().size());
    EXPECT_EQ(songs->currentRow(), 0);
    EXPECT_EQ(find<QTreeWidget>("Dir1")->currentItem()->data(0, Qt::UserRole).toString(), QDir::homePath());
    EXPECT_FALSE(find<QWidget>("Command17")->isEnabled());
    EXPECT_EQ(window->shared().GameDir, game.gameDir());
    EXPECT_EQ(window->shared().LangName, QStringLiteral("English"));
    // The shipped songs were tagged once.
    EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::FirstRun),
              QStringLiteral("1"));
    window->close();
}

TEST_F(MainWindowStartup, MissingEncoderIsToldAndTheWindowStaysHidden)
{
    ASSERT_TRUE(created);
    QTemporaryDir program;
    QFile::link(test::BinDir() + QStringLiteral("/addon2"), program.filePath(QStringLiteral("addon2")));
    QFile::link(test::BinDir() + QStringLiteral("/languages"), program.filePath(QStringLiteral("languages")));
    set(SettingsKeys::InstallDir, program.path());
    EXPECT_FALSE(startWindow());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(program.path() + QStringLiteral("/addon3")));
    EXPECT_FALSE(window->isVisible());
}

}  // namespace
}  // namespace sonorelle
