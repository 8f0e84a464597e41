#include "platform/GameLock.h"
#include "platform/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>

namespace sonorelle {
namespace {

TEST(GameLockTest, OneGameHasOneLockFileWhateverItsFolderIsCalled)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath(QStringLiteral("Kickvale 09")));
    QDir().mkpath(dir.filePath(QStringLiteral("Other game")));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("Kickvale 09")), dir.filePath(QStringLiteral("link"))));
    const QString runtime = QStringLiteral("/run/user/1000/sonorelle");
    const QString expected = GameLock::lockFilePath(runtime, dir.filePath(QStringLiteral("Kickvale 09")));
    EXPECT_TRUE(expected.startsWith(runtime + QStringLiteral("/game-")));
    for (const QString& spelling : {QStringLiteral("Kickvale 09/"), QStringLiteral("./Kickvale 09/."),
                                    QStringLiteral("Other game/../Kickvale 09"), QStringLiteral("link/")})
        EXPECT_EQ(GameLock::lockFilePath(runtime, dir.filePath(spelling)), expected) << spelling.toStdString();
    EXPECT_NE(GameLock::lockFilePath(runtime, dir.filePath(QStringLiteral("Other game"))), expected);
}

TEST(GameLockTest, ASecondWriterWaitsItsTimeThenGetsTheLockOnlyWhenTheFirstIsDone)
{
    QTemporaryDir game;
    std::optional<GameLock> first(std::in_place, game.path(), 0);
    ASSERT_TRUE(first->isHeld()) << first->error().toStdString();
    // A second descriptor, as another process has: the lock is per open file.
    const GameLock refused(game.path(), 50);
    EXPECT_FALSE(refused.isHeld());
    EXPECT_EQ(refused.error(), QString());

    GameLock moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(GameLock(game.path(), 0).isHeld()) << "a moved lock is still held";
    { const GameLock gone = std::move(moved); }
    EXPECT_TRUE(GameLock(game.path(), 0).isHeld());

    QTemporaryDir otherGame;
    const GameLock again(game.path(), 0);
    EXPECT_TRUE(GameLock(otherGame.path(), 0).isHeld()) << "games do not wait for each other";
}

TEST(GameLockTest, WithoutARuntimeFolderTheLocksLiveInAPrivateCacheFolder)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    QString error;
    const QString folder = PrepareRuntimeDir(&error);
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(folder, qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/sonorelle/runtime"));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, mode_t(0700));
    EXPECT_EQ(PrepareRuntimeDir(&error), QString::fromLocal8Bit(runtime) + QStringLiteral("/sonorelle"));
}

}  // namespace
}  // namespace sonorelle
