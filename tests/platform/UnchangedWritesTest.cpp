#include "platform/FileManagerEntries.h"
#include "platform/Registry.h"
#include "support/FileBytes.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace sonorelle {
namespace {

// Files are replaced through a new file, so a rewrite shows as a new inode.
ino_t InodeOf(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// Every start stores the language and drive it applies and writes the file manager
// entries; when nothing changed, nothing is written (and nothing synced to disk).
TEST(UnchangedWritesTest, ANormalStartRewritesNeitherTheStoreNorTheEntries)
{
    QTemporaryDir dir;
    const QString store = dir.filePath(QStringLiteral("store.reg"));
    Registry registry(store, dir.filePath(QStringLiteral("wine")));
    const QString key = QStringLiteral("SOFTWARE\\Corvitane\\Sonorelle");
    ASSERT_TRUE(registry.WriteRegValue(Hive::LocalMachine, key, QStringLiteral("CDDrive"), QStringLiteral("0")));
    const ino_t written = InodeOf(store);
    ASSERT_TRUE(registry.WriteRegValue(Hive::LocalMachine, key, QStringLiteral("cddrive"), QStringLiteral("0")));
    EXPECT_EQ(InodeOf(store), written);
    ASSERT_TRUE(registry.WriteRegValue(Hive::LocalMachine, key, QStringLiteral("CDDrive"), QStringLiteral("1")));
    EXPECT_NE(InodeOf(store), written);
    EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("CDDrive")), QStringLiteral("1"));

    const QString dataHome = dir.filePath(QStringLiteral("data"));
    const QString entry = dataHome + u'/' + FileManagerEntries::ServiceMenuFile;
    ASSERT_EQ(FileManagerEntries(QStringLiteral("/opt/sonorelle")).writeTo(dataHome), QStringList());
    const ino_t first = InodeOf(entry);
    ASSERT_EQ(FileManagerEntries(QStringLiteral("/opt/sonorelle")).writeTo(dataHome), QStringList());
    EXPECT_EQ(InodeOf(entry), first);
    // A moved program, or an entry that lost its mode, is written again.
    QFile::setPermissions(entry, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_EQ(FileManagerEntries(QStringLiteral("/opt/sonorelle")).writeTo(dataHome), QStringList());
    EXPECT_TRUE(QFileInfo(entry).isExecutable());
    ASSERT_EQ(FileManagerEntries(QStringLiteral("/usr/bin/sonorelle")).writeTo(dataHome), QStringList());
    EXPECT_TRUE(test::ReadFile(entry).contains("/usr/bin/sonorelle"));
}

}  // namespace
}  // namespace sonorelle
