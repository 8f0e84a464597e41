#include "platform/GameLock.h"
#include "platform/WinePaths.h"
#include "platform/WorkFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace sonorelle {
namespace {

// The test main points XDG_CACHE_HOME into a fresh folder.
class WorkFolderTest : public ::testing::Test {
protected:
    void SetUp() override { QDir(folder()).removeRecursively(); }

    static QString folder() { return qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/sonorelle/temp"); }
    static mode_t modeOf(const QString& path)
    {
        struct stat status {};
        ::lstat(QFile::encodeName(path).constData(), &status);
        return status.st_mode & 07777;
    }
};

TEST_F(WorkFolderTest, CreatesOrTightensAPrivateFolder)
{
    QString error;
    EXPECT_EQ(PrepareTempDir(&error), folder());
    EXPECT_EQ(modeOf(folder()), mode_t(0700));

    ::chmod(QFile::encodeName(folder()).constData(), 0777);
    EXPECT_EQ(PrepareTempDir(&error), folder());
    EXPECT_EQ(modeOf(folder()), mode_t(0700));
}

TEST_F(WorkFolderTest, RefusesALinkOrAForeignFolder)
{
    QTemporaryDir elsewhere;
    QDir().mkpath(QFileInfo(folder()).path());
    ASSERT_TRUE(QFile::link(elsewhere.path(), folder()));
    QString error;
    EXPECT_EQ(PrepareTempDir(&error), QString());
    EXPECT_TRUE(error.contains(QStringLiteral("symbolic link"))) << error.toStdString();

    if (::geteuid() != 0)
        GTEST_SKIP() << "handing a folder to another user needs root";
    QFile::remove(folder());
    QDir().mkpath(folder());
    ASSERT_EQ(::chown(QFile::encodeName(folder()).constData(), 65534, 65534), 0);
    EXPECT_EQ(PrepareTempDir(&error), QString());
    EXPECT_TRUE(error.contains(QStringLiteral("another user"))) << error.toStdString();
}

TEST_F(WorkFolderTest, WithoutARuntimeFolderTheLocksLiveInAPrivateCacheFolder)
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    QString error;
    const QString folder = PrepareRuntimeDir(&error);
    qputenv("XDG_RUNTIME_DIR", runtime);
    EXPECT_EQ(folder, qEnvironmentVariable("XDG_CACHE_HOME") + QStringLiteral("/sonorelle/runtime"));
    EXPECT_EQ(modeOf(folder), mode_t(0700));
    EXPECT_EQ(PrepareRuntimeDir(&error), QString::fromLocal8Bit(runtime) + QStringLiteral("/sonorelle"));
}

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
    // Each lock opens the file anew, as another process does: the lock is per open file.
    GameLock moved = std::move(*first);
    first.reset();
    const GameLock refused(game.path(), 50);
    EXPECT_FALSE(refused.isHeld()) << "a moved lock is still held";
    EXPECT_EQ(refused.error(), QString());
    { const GameLock gone = std::move(moved); }
    EXPECT_TRUE(GameLock(game.path(), 0).isHeld());
}

TEST(WinePathsTest, WindowsPathsFollowTheDiskWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QString prefix = dir.path() + QStringLiteral("/prefix");
    const QString game = prefix + QStringLiteral("/drive_c/GAMES/kickvale 09/Data");
    QDir().mkpath(game);
    QDir().mkpath(prefix + QStringLiteral("/dosdevices"));
    QDir().mkpath(dir.path() + QStringLiteral("/media/Music"));

    // No dosdevices/c: yet: drive_c stands in.
    EXPECT_EQ(TranslateWindowsPath(QStringLiteral("C:\\Games\\Kickvale 09\\"), prefix),
              prefix + QStringLiteral("/drive_c/GAMES/kickvale 09/"));

    ASSERT_TRUE(QFile::link(QStringLiteral("../drive_c"), prefix + QStringLiteral("/dosdevices/c:")));
    ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/media"), prefix + QStringLiteral("/dosdevices/d:")));
    EXPECT_EQ(TranslateWindowsPath(QStringLiteral("c:\\games\\KICKVALE 09\\data\\audio\\Audio.big"), prefix),
              game + QStringLiteral("/audio/Audio.big"));
    EXPECT_EQ(TranslateWindowsPath(QStringLiteral("C:/Games//Kickvale 09"), prefix),
              prefix + QStringLiteral("/drive_c/GAMES/kickvale 09"));
    EXPECT_EQ(TranslateWindowsPath(QStringLiteral("C:\\"), prefix), prefix + QStringLiteral("/drive_c/"));
    EXPECT_EQ(TranslateWindowsPath(QStringLiteral("D:\\music"), prefix), dir.path() + QStringLiteral("/media/Music"));
    EXPECT_EQ(TranslateWindowsPath(QStringLiteral("/home/p/Kickvale 09/"), prefix), QStringLiteral("/home/p/Kickvale 09/"));

    EXPECT_EQ(JoinPath(QStringLiteral("/"), QStringLiteral("name")), QStringLiteral("/name"));
    EXPECT_EQ(JoinPath(QStringLiteral("/a/"), QStringLiteral("/b")), QStringLiteral("/a/b"));
    EXPECT_EQ(JoinPath(QStringLiteral("/a"), QStringLiteral("b/")), QStringLiteral("/a/b/"));
    EXPECT_EQ(JoinPath(QString(), QStringLiteral("b")), QStringLiteral("b"));
}

}  // namespace
}  // namespace sonorelle
