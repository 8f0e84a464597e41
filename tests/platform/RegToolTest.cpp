#include "platform/RegFile.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

struct ToolRun {
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

class RegToolTest : public ::testing::Test {
protected:
    QString store() const { return dir.path() + QStringLiteral("/registry.reg"); }

    // With a shellPrefix the tool runs under sh -c, after limits set with ulimit.
    ToolRun run(const QStringList& arguments, const QString& shellPrefix = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SONORELLE_REGISTRY"), store());
        environment.insert(QStringLiteral("WINEPREFIX"), dir.path() + QStringLiteral("/wine"));
        process.setProcessEnvironment(environment);
        const QString tool = test::BinDir() + QStringLiteral("/sonorelle-reg");
        if (shellPrefix.isEmpty()) {
            process.start(tool, arguments);
        } else {
            process.start(QStringLiteral("/bin/sh"),
                          QStringList{QStringLiteral("-c"), shellPrefix + QStringLiteral(" exec \"$0\" \"$@\""), tool} +
                              arguments);
        }
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), process.exitStatus() == QProcess::CrashExit,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }

    QTemporaryDir dir;
};

TEST_F(RegToolTest, SetThenGet)
{
    const QString text = QString::fromUtf8("C:\\Spiele\\Kickvale 09 \"ü\"");
    EXPECT_EQ(run({QStringLiteral("set"), QStringLiteral("HKLM\\SOFTWARE\\Corvitane\\Sonorelle"),
                   QStringLiteral("LastWorkDir"), text}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("get"), QStringLiteral("HKEY_LOCAL_MACHINE\\software\\corvitane\\sonorelle"),
                   QStringLiteral("lastworkdir")}).out,
              text + u'\n');
    const ToolRun missing = run({QStringLiteral("get"), QStringLiteral("HKCU\\Software\\Winamp"), QStringLiteral("x")});
    EXPECT_EQ(missing.exitCode, 0);
    EXPECT_EQ(missing.out, QStringLiteral("\n"));
}

TEST_F(RegToolTest, UsageAndWriteErrors)
{
    for (const QStringList& wrong : {QStringList{}, QStringList{QStringLiteral("get"), QStringLiteral("HKLM\\A")},
                                     QStringList{QStringLiteral("put"), QStringLiteral("HKLM\\A"), QStringLiteral("b")},
                                     QStringList{QStringLiteral("get"), QStringLiteral("HKEY_USERS\\A"), QStringLiteral("b")}}) {
        const ToolRun usage = run(wrong);
        EXPECT_EQ(usage.exitCode, 2) << wrong.join(u' ').toStdString();
        EXPECT_TRUE(usage.err.contains(QStringLiteral("usage:")));
    }

    QFile damaged(store());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("garbage\n");
    damaged.close();
    const ToolRun refused = run({QStringLiteral("set"), QStringLiteral("HKLM\\A"), QStringLiteral("b"), QStringLiteral("c")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_FALSE(refused.err.isEmpty());
}

TEST_F(RegToolTest, WriterKilledMidWriteLeavesTheOldStore)
{
    const QString key = QStringLiteral("HKLM\\SOFTWARE\\Corvitane\\Sonorelle");
    const QString big = QString(3000, u'x');
    ASSERT_EQ(run({QStringLiteral("set"), key, QStringLiteral("Big"), big}).exitCode, 0);
    QFile file(store());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    // A file size limit of 512 bytes kills the writer (SIGXFSZ) inside its write.
    const ToolRun killed = run({QStringLiteral("set"), key, QStringLiteral("Other"), QStringLiteral("new")},
                               QStringLiteral("ulimit -f 1;"));
    EXPECT_TRUE(killed.crashed || killed.exitCode != 0);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    // The lock the killed writer left is stale and does not block the next one.
    EXPECT_EQ(run({QStringLiteral("set"), key, QStringLiteral("Other"), QStringLiteral("new")}).exitCode, 0);
    EXPECT_EQ(run({QStringLiteral("get"), key, QStringLiteral("Big")}).out, big + u'\n');
}

}  // namespace
}  // namespace sonorelle
