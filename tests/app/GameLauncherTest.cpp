#include "app/GameLauncher.h"

#include "support/FileBytes.h"
#include "support/RecordingFeedback.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

// PATH points at a folder of our own for the test's life, so whether "wine" is found
// is up to the test.
class GameLauncherTest : public ::testing::Test {
protected:
    GameLauncherTest()
        : savedPath(qgetenv("PATH"))
    {
        qputenv("PATH", bin.path().toLocal8Bit());
    }
    ~GameLauncherTest() override { qputenv("PATH", savedPath); }

    QString gameDir() const { return game.path() + u'/'; }

    void placeGame(const QString& name = GameLauncher::Executable) const { test::WriteFile(game.filePath(name), "MZ"); }

    // A stand-in for a runner that writes down how it was started: the lines that
    // report prints.
    QString fakeRunner(const QString& name, const QString& report) const
    {
        const QString record = bin.filePath(QStringLiteral("started.txt"));
        test::WriteScript(bin.filePath(name), QStringLiteral("#!/bin/sh\n{ %2; } > '%1.part'\n/bin/mv '%1.part' '%1'\n")
                                                  .arg(record, report)
                                                  .toLocal8Bit());
        return record;
    }

    // Detached: waits for the stand-in to write its record.
    static QStringList recorded(const QString& record)
    {
        QDeadlineTimer deadline(30000);
        while (!QFile::exists(record) && !deadline.hasExpired())
            QThread::msleep(20);
        return QString::fromLocal8Bit(test::ReadFile(record)).split(u'\n', Qt::SkipEmptyParts);
    }

    QByteArray savedPath;
    QTemporaryDir bin;
    QTemporaryDir game;
    test::RecordingFeedback feedback;
    TextLookup texts = [](const QString&) { return QString(); };
};

TEST_F(GameLauncherTest, MissingWineOrGameProgramIsTold)
{
    placeGame();
    EXPECT_FALSE(GameLauncher::run(gameDir(), QStringLiteral("/prefix"), feedback, texts));
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_TRUE(feedback.messages[0].text.contains(QStringLiteral("Wine")));

    fakeRunner(QStringLiteral("wine"), QStringLiteral("true"));
    ASSERT_TRUE(QFile::remove(game.filePath(GameLauncher::Executable)));
    EXPECT_FALSE(GameLauncher::run(gameDir(), QStringLiteral("/prefix"), feedback, texts));
    ASSERT_EQ(feedback.messages.size(), 2);
    EXPECT_TRUE(feedback.messages[1].text.contains(game.filePath(GameLauncher::Executable)));
}

TEST_F(GameLauncherTest, StartsTheGameUnderWineInItsFolderWithItsPrefix)
{
    // A Windows install may spell the program in upper case; Wine finds it all the same.
    const QString spelled = GameLauncher::Executable.toUpper();
    placeGame(spelled);
    const QString record =
        fakeRunner(QStringLiteral("wine"), QStringLiteral("echo \"$1\"; pwd; echo \"$WINEPREFIX\""));
    const QString prefix = game.filePath(QStringLiteral("wine prefix"));
    ASSERT_TRUE(GameLauncher::run(gameDir(), prefix, feedback, texts));
    EXPECT_TRUE(feedback.messages.isEmpty());

    const QStringList lines = recorded(record);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], game.filePath(spelled));
    EXPECT_EQ(QDir(lines[1]).canonicalPath(), QDir(game.path()).canonicalPath());
    EXPECT_EQ(lines[2], prefix);
}

TEST_F(GameLauncherTest, GameInABottleRunsThroughBottlesOrTellsWhatIsMissing)
{
    test::WriteFile(game.filePath(QStringLiteral("KickVale09.exe")), "MZ");
    GameInstallation bottle;
    bottle.manager = PrefixManager::Bottles;
    bottle.bottleName = QStringLiteral("Kick Bottle");
    bottle.prefixPath = game.filePath(QStringLiteral("bottle"));
    bottle.gameFolder = gameDir();
    EXPECT_FALSE(GameLauncher::run(bottle, feedback, texts));
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_TRUE(feedback.messages[0].text.endsWith(QStringLiteral("\nbottles-cli (Bottles)")));

    // Its arguments are GameRunCommand's; here only that it runs.
    const QString record = fakeRunner(QStringLiteral("bottles-cli"), QStringLiteral("echo \"$1\""));
    ASSERT_TRUE(GameLauncher::run(bottle, feedback, texts));
    EXPECT_EQ(recorded(record), QStringList{QStringLiteral("run")});
}

}  // namespace
}  // namespace sonorelle
