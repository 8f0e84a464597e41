#include "platform/RegFile.h"
#include "platform/Registry.h"
#include "support/FileBytes.h"
#include "support/FileSizeLimit.h"
#include "support/ToolRun.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

// Wine's system.reg as a 64-bit prefix writes it.
const QByteArray systemReg = QByteArrayLiteral(
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n"
    "[Software\\\\Ostravel\\\\Kickvale 09] 1733500000\n"
    "#time=1db47c1e3f2a9b0\n"
    "\"Install Dir\"=\"C:\\\\Games\\\\Native\"\n"
    "\"OnlyNative\"=\"native\"\n"
    "\n"
    "[Software\\\\Wow6432Node\\\\Ostravel\\\\Kickvale 09] 1733500000\n"
    "#time=1db47c1e3f2a9b0\n"
    "\"Install Dir\"=\"C:\\\\Games\\\\Kickvale 09\"\n"
    "\"Escapes\"=\"Caf\\xe9 \\\"q\\\" tab\\there\\nline \\x00e9B \\x4e2d\\x6587\"\n"
    "\"Nul\"=\"ab\\0cd\"\n"
    "\"Expand\"=str(2):\"%SystemRoot%\\\\system32\"\n"
    "\"Flag\"=dword:00000001\n"
    "\"Bin\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,17,\\\n"
    "  18,19,1a\n"
    "\"AfterBin\"=\"still read\"\n"
    "\"Multi\"=hex(7):41,00,00,00,00,00\n"
    "\"Wide\"=hex(1):48,00,69,00,00,00\n"
    "@=\"default text\"\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion] 1733500000\n"
    "\"SystemRoot\"=\"C:\\\\windows\"\n");

const QByteArray userReg = QByteArrayLiteral(
    "WINE REGISTRY Version 2\r\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\r\n"
    "\r\n"
    "[Software\\\\Winamp] 1733500000\r\n"
    "@=\"C:\\\\Program Files\\\\Winamp\"\r\n");

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        test::WriteFile(prefix() + QStringLiteral("/system.reg"), systemReg);
        test::WriteFile(prefix() + QStringLiteral("/user.reg"), userReg);
    }
    QString prefix() const { return dir.path() + QStringLiteral("/wine"); }
    QString store() const { return dir.path() + QStringLiteral("/config/sonorelle/registry.reg"); }
    Registry registry() const { return Registry(store(), prefix()); }

    QTemporaryDir dir;
};

const QString gameKey = QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09");
const QString settingsKey = QStringLiteral("SOFTWARE\\Corvitane\\Sonorelle");

TEST_F(RegistryTest, ReadsWineFilesWithTheirEscapesAndTypes)
{
    const Registry reg = registry();
    // Wow6432Node first, then the key as it stands; only REG_SZ texts are returned.
    const QList<std::pair<const char*, QString>> values = {
        {"Install Dir", QStringLiteral("C:\\Games\\Kickvale 09")},
        {"OnlyNative", QStringLiteral("native")},
        {"escapes", QString::fromUtf8("Café \"q\" tab\there\nline éB 中文")},
        {"Nul", QStringLiteral("ab")},
        {"Wide", QStringLiteral("Hi")},
        {"AfterBin", QStringLiteral("still read")},
        {"@", QStringLiteral("default text")},
        {"", QStringLiteral("default text")},
        {"Expand", {}}, {"Flag", {}}, {"Bin", {}}, {"Multi", {}}, {"Missing", {}},
    };
    for (const auto& [name, expected] : values)
        EXPECT_EQ(reg.ReadRegValue(Hive::LocalMachine, gameKey, QString::fromLatin1(name)), expected) << name;

    EXPECT_EQ(reg.ReadRegValue(Hive::LocalMachine, QStringLiteral("software\\MICROSOFT\\windows nt\\CurrentVersion"),
                               QStringLiteral("systemroot")),
              QStringLiteral("C:\\windows"));
    EXPECT_EQ(reg.ReadRegValue(Hive::CurrentUser, QStringLiteral("Software\\Winamp"), QString()),
              QStringLiteral("C:\\Program Files\\Winamp"));
    EXPECT_EQ(reg.ReadRegValue(Hive::CurrentUser, gameKey, QStringLiteral("Install Dir")), QString());
}

TEST_F(RegistryTest, StoreRoundTripsAndTakesPrecedenceWithoutTouchingWine)
{
    Registry reg = registry();
    const QString awkward = QString::fromUtf8("C:\\Games\\\"Kick\" é1 中 \x01" "5 \t\r\n 😀 [x]");
    ASSERT_TRUE(reg.WriteRegValue(Hive::LocalMachine, gameKey, QStringLiteral("INSTALL DIR"), awkward));
    ASSERT_TRUE(reg.WriteRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("@"), QStringLiteral("default")));
    ASSERT_TRUE(reg.WriteRegValue(Hive::CurrentUser, settingsKey, QStringLiteral("Hive"), QStringLiteral("user")));

    const Registry fresh = registry();
    EXPECT_EQ(fresh.ReadRegValue(Hive::LocalMachine, gameKey, QStringLiteral("Install Dir")), awkward);
    // A value the store's key lacks still comes from Wine.
    EXPECT_EQ(fresh.ReadRegValue(Hive::LocalMachine, gameKey, QStringLiteral("OnlyNative")), QStringLiteral("native"));
    EXPECT_EQ(fresh.ReadRegValue(Hive::LocalMachine, settingsKey, QString()), QStringLiteral("default"));
    EXPECT_EQ(fresh.ReadRegValue(Hive::CurrentUser, settingsKey, QStringLiteral("hive")), QStringLiteral("user"));
    EXPECT_EQ(fresh.ReadRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("Hive")), QString());

    ASSERT_TRUE(reg.WriteRegValue(Hive::LocalMachine, gameKey, QStringLiteral("Install Dir"), QStringLiteral("second")));
    EXPECT_EQ(fresh.ReadRegValue(Hive::LocalMachine, gameKey, QStringLiteral("Install Dir")), QStringLiteral("second"));

    EXPECT_EQ(test::ReadFile(prefix() + QStringLiteral("/system.reg")), systemReg);
    EXPECT_EQ(test::ReadFile(prefix() + QStringLiteral("/user.reg")), userReg);
    // A value set again in another case replaces the old one.
    EXPECT_EQ(test::ReadFile(store()).toLower().count("install dir"), 1);
}

// A store the disk has no room to rewrite, or a damaged one, stays as it was and is named.
TEST_F(RegistryTest, StoreThatCannotBeRewrittenIsLeftAsItWas)
{
    ASSERT_TRUE(registry().WriteRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("Big"), QString(3000, u'x')));
    for (const bool damaged : {false, true}) {
        if (damaged)
            test::WriteFile(store(), "not a registry\n[HKEY_LOCAL_MACHINE\\\\SOFTWARE] 1\n\"A\"=\"b\"\n");
        const QByteArray before = test::ReadFile(store());
        Registry reg = registry();
        QString error;
        {
            const test::FileSizeLimit fullDisk(damaged ? RLIM_INFINITY : 1024);
            EXPECT_FALSE(reg.WriteRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("Other"),
                                           QStringLiteral("new"), &error));
        }
        EXPECT_TRUE(error.contains(store())) << error.toStdString();
        EXPECT_EQ(test::ReadFile(store()), before);
        // Nothing of the failed write is left beside the store.
        EXPECT_EQ(QDir(QFileInfo(store()).absolutePath()).entryList(QDir::Files | QDir::Hidden),
                  QStringList{QStringLiteral("registry.reg")});
    }

    // A store in a folder that cannot be made fails plainly.
    test::WriteFile(dir.path() + QStringLiteral("/file"), "x");
    Registry blocked(dir.path() + QStringLiteral("/file/registry.reg"), prefix());
    EXPECT_FALSE(blocked.WriteRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("X"), QStringLiteral("y")));
}

// sonorelle-reg on the same store and prefix.
class RegToolTest : public RegistryTest {
protected:
    // shellLimits (e.g. "ulimit -f 1;") are set by sh before it execs the tool.
    test::ToolRun run(const QStringList& arguments, const QString& shellLimits = {}) const
    {
        const QStringList environment{QStringLiteral("SONORELLE_REGISTRY=") + store(),
                                      QStringLiteral("WINEPREFIX=") + prefix()};
        const QStringList shell{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                shellLimits + QStringLiteral(" exec \"$0\" \"$@\""), test::Tool("sonorelle-reg")};
        return test::RunToEnd(QStringLiteral("/usr/bin/env"), environment + shell + arguments, 30000);
    }

    const QString key = QStringLiteral("HKLM\\SOFTWARE\\Corvitane\\Sonorelle");
};

TEST_F(RegToolTest, SetThenGet)
{
    const QString text = QString::fromUtf8("C:\\Spiele\\Kickvale 09 \"ü\"");
    EXPECT_EQ(run({QStringLiteral("set"), key, QStringLiteral("LastWorkDir"), text}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("get"), QStringLiteral("HKEY_LOCAL_MACHINE\\software\\corvitane\\sonorelle"),
                   QStringLiteral("lastworkdir")}).out,
              (text + u'\n').toUtf8());
    const test::ToolRun missing = run({QStringLiteral("get"), QStringLiteral("HKCU\\Software\\Winamp"), QStringLiteral("x")});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, QByteArray("\n"));
}

TEST_F(RegToolTest, UsageAndWriteErrors)
{
    for (const QStringList& wrong : {QStringList{}, QStringList{QStringLiteral("get"), QStringLiteral("HKLM\\A")},
                                     QStringList{QStringLiteral("put"), QStringLiteral("HKLM\\A"), QStringLiteral("b")},
                                     QStringList{QStringLiteral("get"), QStringLiteral("HKEY_USERS\\A"), QStringLiteral("b")}}) {
        const test::ToolRun usage = run(wrong);
        EXPECT_EQ(usage.exitCode, 2) << wrong.join(u' ').toStdString();
        EXPECT_TRUE(usage.err.contains("usage:"));
    }
    test::WriteFile(store(), "garbage\n");
    const test::ToolRun refused = run({QStringLiteral("set"), key, QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(refused.err.isEmpty());
}

// A file size limit of 512 bytes kills the writer (SIGXFSZ) inside its write.
TEST_F(RegToolTest, WriterKilledInItsWriteLeavesTheOldStoreAndNoStaleLock)
{
    const QString big(3000, u'x');
    ASSERT_EQ(run({QStringLiteral("set"), key, QStringLiteral("Big"), big}).exitCode, 0);
    const QByteArray before = test::ReadFile(store());
    const test::ToolRun killed = run({QStringLiteral("set"), key, QStringLiteral("Other"), QStringLiteral("new")},
                                     QStringLiteral("ulimit -f 1;"));
    EXPECT_TRUE(killed.crashed || killed.exitCode != 0);
    EXPECT_EQ(test::ReadFile(store()), before);

    EXPECT_EQ(run({QStringLiteral("set"), key, QStringLiteral("Other"), QStringLiteral("new")}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("get"), key, QStringLiteral("Big")}).out, (big + u'\n').toUtf8());
}

// Every start stores the language and drive it applies; an unchanged value is not
// written again (nor synced to disk).
TEST_F(RegistryTest, AnUnchangedValueLeavesTheStoreFileAlone)
{
    Registry reg = registry();
    ASSERT_TRUE(reg.WriteRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("CDDrive"), QStringLiteral("0")));
    const ino_t written = test::InodeOf(store());
    ASSERT_TRUE(reg.WriteRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("cddrive"), QStringLiteral("0")));
    EXPECT_EQ(test::InodeOf(store()), written);
    ASSERT_TRUE(reg.WriteRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("CDDrive"), QStringLiteral("1")));
    EXPECT_NE(test::InodeOf(store()), written);
    EXPECT_EQ(reg.ReadRegValue(Hive::LocalMachine, settingsKey, QStringLiteral("CDDrive")), QStringLiteral("1"));
}

constexpr qsizetype BlockSize = 256 * 1024;

// A system.reg that is read in several blocks, with the game's key line and values
// placed so that a block ends inside them.
QByteArray SystemRegAround(qsizetype wantedAt)
{
    QByteArray file = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n";
    for (int key = 0; file.size() < wantedAt - 200; ++key)
        file += "[Software\\\\Filler\\\\Key " + QByteArray::number(key) + "] 1733500000\n\"Value\"=\"[not a key]\"\n\n";
    file += QByteArray(wantedAt - file.size(), '\n');
    file += "  [Software\\\\Wow6432Node\\\\Ostravel\\\\Kickvale 09] 1733500000\n\"First\"=\"one\"\n";
    for (int value = 0; value < 40; ++value)
        file += "\"Padding " + QByteArray::number(value) + "\"=\"" + QByteArray(20, 'x') + "\"\n";
    file += "\"Last\"=\"two\"\n\n[Software\\\\Filler\\\\After] 1733500000\n\"Last\"=\"wrong\"\n\n";
    // The plain view comes last and the file ends without a line break.
    file += "[Software\\\\Ostravel\\\\Kickvale 09] 1733500000\n\"OnlyPlain\"=\"three\"";
    return file;
}

TEST(WineRegistryBlocksTest, KeysCutByTheEndOfAReadBlockAreReadWhole)
{
    const QString key = QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09");
    // The block ends in the key line, just after it, and amid the values.
    for (const qsizetype wantedAt : {BlockSize - 10, BlockSize - 60, BlockSize - 400, 2 * BlockSize - 1}) {
        SCOPED_TRACE(wantedAt);
        QTemporaryDir dir;
        test::WriteFile(dir.filePath(QStringLiteral("wine/system.reg")), SystemRegAround(wantedAt));
        const Registry registry(dir.filePath(QStringLiteral("store.reg")), dir.filePath(QStringLiteral("wine")));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("First")), QStringLiteral("one"));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("Last")), QStringLiteral("two"));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("OnlyPlain")), QStringLiteral("three"));
        EXPECT_EQ(registry.ReadRegValue(Hive::LocalMachine, key, QStringLiteral("Value")), QString());
    }
}

TEST(RegFileTest, BrokenLinesMakeNoKeyAndSwallowNoLaterValue)
{
    EXPECT_EQ(RegFile::parse("WINE REGISTRY Version 2\n[unterminated\n\"x\"=\"y\n\"z\"=hex:zz\n").keyCount(), 0);
    // Backslashes ending the file continue no line into a value set later.
    RegFile file = RegFile::parse("WINE REGISTRY Version 2\n[A] 1\n\"broken\"=hex:zz \\\\\n");
    file.setString(QStringLiteral("A"), QStringLiteral("later"), QStringLiteral("kept"), 2);
    const RegFile reread = RegFile::parse(file.serialize());
    const RegFile::Value* later = reread.findValue(QStringLiteral("A"), QStringLiteral("later"));
    ASSERT_NE(later, nullptr);
    EXPECT_EQ(later->text, QStringLiteral("kept"));

    const RegFile typed = RegFile::parse("WINE REGISTRY Version 2\n[A] 1\n\"big\"=hex(ffffff01):01\n");
    const RegFile::Value* big = typed.findValue(QStringLiteral("A"), QStringLiteral("big"));
    ASSERT_NE(big, nullptr);
    EXPECT_EQ(quint32(big->type), 0xffffff01u);
}

TEST(RegistryEnvironmentTest, RelativeWinePrefixBecomesAbsolute)
{
    QTemporaryDir work;
    const QString started = QDir::currentPath();
    const QByteArray saved = qgetenv("WINEPREFIX");
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    qputenv("WINEPREFIX", "games/../prefix");
    const QString prefix = Registry::fromEnvironment().winePrefix();
    QDir::setCurrent(started);
    qputenv("WINEPREFIX", saved);
    EXPECT_EQ(prefix, QDir(work.path()).canonicalPath() + QStringLiteral("/prefix"));
}

}  // namespace
}  // namespace sonorelle
