#include "support/ToolRun.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

class RegToolTest : public ::testing::Test {
protected:
    QString store() const { return dir.path() + QStringLiteral("/registry.reg"); }

    // shellLimits (e.g. "ulimit -f 1;") are set by sh before it execs the tool.
    ToolRun run(const QStringList& arguments, const QString& shellLimits = {}) const
    {
        return RunToEnd(QStringLiteral("/usr/bin/env"),
                        QStringList{QStringLiteral("SONORELLE_REGISTRY=") + store(),
                                    QStringLiteral("WINEPREFIX=") + dir.path() + QStringLiteral("/wine"),
                                    QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                                    shellLimits + QStringLiteral(" exec \"$0\" \"$@\""), Tool("sonorelle-reg")}
                            + arguments,
                        30000);
    }

    QTemporaryDir dir;
    const QString key = QStringLiteral("HKLM\\SOFTWARE\\Corvitane\\Sonorelle");
};

TEST_F(RegToolTest, SetThenGet)
{
    const QString text = QString::fromUtf8("C:\\Spiele\\Kickvale 09 \"ü\"");
    EXPECT_EQ(run({QStringLiteral("set"), key, QStringLiteral("LastWorkDir"), text}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("get"), QStringLiteral("HKEY_LOCAL_MACHINE\\software\\corvitane\\sonorelle"),
                   QStringLiteral("lastworkdir")}).out,
              (text + u'\n').toUtf8());
    const ToolRun missing = run({QStringLiteral("get"), QStringLiteral("HKCU\\Software\\Winamp"), QStringLiteral("x")});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, QByteArray("\n"));
}

TEST_F(RegToolTest, UsageAndWriteErrors)
{
    for (const QStringList& wrong : {QStringList{}, QStringList{QStringLiteral("get"), QStringLiteral("HKLM\\A")},
                                     QStringList{QStringLiteral("put"), QStringLiteral("HKLM\\A"), QStringLiteral("b")},
                                     QStringList{QStringLiteral("get"), QStringLiteral("HKEY_USERS\\A"), QStringLiteral("b")}}) {
        const ToolRun usage = run(wrong);
        EXPECT_EQ(usage.exitCode, 2) << wrong.join(u' ').toStdString();
        EXPECT_TRUE(usage.err.contains("usage:"));
    }
    WriteFile(store(), "garbage\n");
    const ToolRun refused = run({QStringLiteral("set"), key, QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(refused.err.isEmpty());
}

TEST_F(RegToolTest, WriterKilledOrOutOfSpaceLeavesTheOldStore)
{
    const QString big(3000, u'x');
    ASSERT_EQ(run({QStringLiteral("set"), key, QStringLiteral("Big"), big}).exitCode, 0);
    const QByteArray before = ReadFile(store());

    // A file size limit of 512 bytes kills the writer (SIGXFSZ) inside its write.
    const ToolRun killed = run({QStringLiteral("set"), key, QStringLiteral("Other"), QStringLiteral("new")},
                               QStringLiteral("ulimit -f 1;"));
    EXPECT_TRUE(killed.crashed || killed.exitCode != 0);
    EXPECT_EQ(ReadFile(store()), before);

    // With the signal ignored, as a full disk reports it: an error, exit 1, old store kept.
    const ToolRun full = run({QStringLiteral("set"), key, QStringLiteral("Other"), QStringLiteral("new")},
                             QStringLiteral("trap '' XFSZ; ulimit -f 1;"));
    EXPECT_FALSE(full.crashed);
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_TRUE(full.err.contains(store().toUtf8())) << full.err.toStdString();
    EXPECT_EQ(ReadFile(store()), before);

    // The killed writer's lock is stale and does not block the next one.
    EXPECT_EQ(run({QStringLiteral("set"), key, QStringLiteral("Other"), QStringLiteral("new")}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("get"), key, QStringLiteral("Big")}).out, (big + u'\n').toUtf8());
}

}  // namespace
}  // namespace sonorelle::test
