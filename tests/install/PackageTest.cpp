#include "support/ToolRun.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

// What the program wrote; a failure is recorded unless it ended with exit code 0.
QString OutputOf(const QString& program, const QStringList& arguments)
{
    const ToolRun run = RunToEnd(program, arguments, 120000);
    const QString text = QString::fromUtf8(run.out + run.err);
    EXPECT_TRUE(run.Ok()) << program.toStdString() << ": " << text.toStdString();
    return text;
}

TEST(PackageTest, HoldsTheProgramsToolsLanguagesAndDesktopFilesThatRun)
{
    const QStringList found =
        QDir(QStringLiteral(SONORELLE_BUILD_DIR)).entryList({QStringLiteral("sonorelle_*.deb")}, QDir::Files);
    if (found.isEmpty())
        GTEST_SKIP() << "no package: run cpack -G DEB in the build folder";
    const QString package = QStringLiteral(SONORELLE_BUILD_DIR "/") + found.first();
    const QString contents = OutputOf(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), package});
    for (const char* program : {"sonorelle", "sonorelle-cli", "sonorelle-reg"})
        EXPECT_TRUE(contents.contains(QStringLiteral("./usr/bin/%1 -> ../lib/sonorelle/%1\n").arg(program)))
            << program;
    for (const char* file : {"lib/sonorelle/sonorelle", "lib/sonorelle/sonorelle-cli", "lib/sonorelle/sonorelle-reg",
                             "lib/sonorelle/addon1", "lib/sonorelle/addon2", "lib/sonorelle/addon3",
                             "lib/sonorelle/sndview", "lib/sonorelle/languages/English.lng",
                             "share/applications/org.sonorelle.Sonorelle.desktop",
                             "share/icons/hicolor/scalable/apps/org.sonorelle.Sonorelle.svg",
                             "share/metainfo/org.sonorelle.Sonorelle.metainfo.xml"})
        EXPECT_TRUE(contents.contains(QStringLiteral("./usr/%1\n").arg(QLatin1String(file)))) << file;

    const QString depends = OutputOf(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), package, QStringLiteral("Depends")});
    EXPECT_TRUE(depends.contains(QStringLiteral("libqt6widgets6"))) << depends.toStdString();
    EXPECT_TRUE(depends.contains(QStringLiteral("libsndfile1"))) << depends.toStdString();

    // Unpacked, the command-line program runs through its link.
    QTemporaryDir tree;
    OutputOf(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package, tree.path()});
    const QString help = OutputOf(tree.filePath(QStringLiteral("usr/bin/sonorelle-cli")), {QStringLiteral("--help")});
    EXPECT_TRUE(help.contains(QStringLiteral("list"))) << help.toStdString();
}

TEST(PackageTest, DesktopEntryAndMetadataValidate)
{
    const QString data = QStringLiteral(SONORELLE_SOURCE_DIR "/data/");
    const struct {
        const char* tool;
        QStringList arguments;
    } checks[] = {
        {"desktop-file-validate", {data + QStringLiteral("org.sonorelle.Sonorelle.desktop")}},
        {"appstreamcli",
         {QStringLiteral("validate"), QStringLiteral("--no-net"), data + QStringLiteral("org.sonorelle.Sonorelle.metainfo.xml")}},
    };
    for (const auto& check : checks) {
        const QString tool = QStandardPaths::findExecutable(QLatin1String(check.tool));
        if (tool.isEmpty())
            ADD_FAILURE() << check.tool << " is missing: scripts/install-deps.sh installs it";
        else
            OutputOf(tool, check.arguments);
    }
}

}  // namespace
}  // namespace sonorelle::test
