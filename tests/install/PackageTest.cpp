#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

struct Output {
    int exitCode = -1;
    QString text;
};

Output RunProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAll())};
}

QString Package()
{
    const QStringList found =
        QDir(QStringLiteral(SONORELLE_BUILD_DIR)).entryList({QStringLiteral("sonorelle_*.deb")}, QDir::Files);
    return found.isEmpty() ? QString() : QStringLiteral(SONORELLE_BUILD_DIR "/") + found.first();
}

TEST(PackageTest, HoldsTheProgramsToolsLanguagesAndDesktopFiles)
{
    const QString package = Package();
    if (package.isEmpty())
        GTEST_SKIP() << "no package: run cpack -G DEB in the build folder";
    const Output contents = RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), package});
    ASSERT_EQ(contents.exitCode, 0) << contents.text.toStdString();
    for (const char* program : {"sonorelle", "sonorelle-cli", "sonorelle-reg"})
        EXPECT_TRUE(contents.text.contains(QStringLiteral("./usr/bin/%1 -> ../lib/sonorelle/%1\n").arg(program)))
            << program;
    for (const char* file : {"lib/sonorelle/sonorelle", "lib/sonorelle/sonorelle-cli", "lib/sonorelle/sonorelle-reg",
                             "lib/sonorelle/addon1", "lib/sonorelle/addon2", "lib/sonorelle/addon3",
                             "lib/sonorelle/sndview", "lib/sonorelle/languages/English.lng",
                             "share/applications/org.sonorelle.Sonorelle.desktop",
                             "share/icons/hicolor/scalable/apps/org.sonorelle.Sonorelle.svg",
                             "share/metainfo/org.sonorelle.Sonorelle.metainfo.xml"})
        EXPECT_TRUE(contents.text.contains(QStringLiteral("./usr/%1\n").arg(QLatin1String(file)))) << file;

    const Output depends = RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), package, QStringLiteral("Depends")});
    EXPECT_TRUE(depends.text.contains(QStringLiteral("libqt6widgets6"))) << depends.text.toStdString();
    EXPECT_TRUE(depends.text.contains(QStringLiteral("libsndfile1"))) << depends.text.toStdString();
}

TEST(PackageTest, TheUnpackedCommandLineProgramRunsThroughItsLink)
{
    const QString package = Package();
    if (package.isEmpty())
        GTEST_SKIP() << "no package: run cpack -G DEB in the build folder";
    QTemporaryDir tree;
    ASSERT_EQ(RunProgram(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package, tree.path()}).exitCode, 0);
    const Output help = RunProgram(tree.filePath(QStringLiteral("usr/bin/sonorelle-cli")), {QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0) << help.text.toStdString();
    EXPECT_TRUE(help.text.contains(QStringLiteral("list"))) << help.text.toStdString();
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
        if (tool.isEmpty()) {
            ADD_FAILURE() << check.tool << " is missing: scripts/install-deps.sh installs it";
            continue;
        }
        const Output result = RunProgram(tool, check.arguments);
        EXPECT_EQ(result.exitCode, 0) << check.tool << ": " << result.text.toStdString();
    }
}

}  // namespace
}  // namespace sonorelle
