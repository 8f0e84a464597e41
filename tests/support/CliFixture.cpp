#include "support/CliFixture.h"

#include "app/SettingsKeys.h"
#include "songdata/SongListFile.h"
#include "support/Mp3Files.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace sonorelle::test {

CliFixture::CliFixture()
    : game(std::make_unique<GameFixture>(GameFixture::numberedSongs(4)))
    , registry(home.filePath(QStringLiteral("registry.reg")), game->game.winePrefix())
{
    set(SettingsKeys::CDDrive, QStringLiteral("0"));
}

CliFixture::Run CliFixture::cli(const QStringList& arguments, const QMap<QString, QString>& environment) const
{
    return finished(*startCli(arguments, environment));
}

std::unique_ptr<QProcess> CliFixture::startCli(const QStringList& arguments, const QMap<QString, QString>& environment) const
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("WINEPREFIX"), game->game.winePrefix());
    variables.insert(QStringLiteral("SONORELLE_REGISTRY"), registry.storePath());
    variables.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    for (auto it = environment.constBegin(); it != environment.constEnd(); ++it)
        variables.insert(it.key(), it.value());
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(variables);
    process->start(BinDir() + QStringLiteral("/sonorelle-cli"), arguments);
    return process;
}

CliFixture::Run CliFixture::finished(QProcess& process)
{
    EXPECT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

void CliFixture::Run::expectFailure(int expectedExitCode, const QString& told) const
{
    EXPECT_EQ(exitCode, expectedExitCode);
    EXPECT_TRUE(err.contains(told)) << err.toStdString();
    EXPECT_EQ(out, QString());
}

QStringList CliFixture::listed() const
{
    const Run run = cli({QStringLiteral("list")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    QStringList lines = run.out.split(u'\n', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString index = QString::number(i) + u'\t';
        EXPECT_TRUE(lines[i].startsWith(index)) << lines[i].toStdString();
        lines[i].remove(0, index.size());
    }
    return lines;
}

QStringList CliFixture::archivedStreams() const
{
    QStringList names;
    for (const SongListRecord& record : SongListFile::decode(game->archivedList()))
        names.append(record.streamName);
    return names;
}

void CliFixture::useSongs(const QList<DemoSong>& songs)
{
    game = std::make_unique<GameFixture>(songs);
    registry = Registry(registry.storePath(), game->game.winePrefix());
}

QString CliFixture::useProgramFolder(const QByteArray& addon2Script)
{
    const QString folder = home.filePath(QStringLiteral("program"));
    EXPECT_TRUE(QDir().mkpath(folder + QStringLiteral("/languages")));
    EXPECT_TRUE(QFile::link(BinDir() + QStringLiteral("/addon3"), folder + QStringLiteral("/addon3")));
    EXPECT_TRUE(QFile::copy(BinDir() + QStringLiteral("/languages/English.lng"),
                            folder + QStringLiteral("/languages/English.lng")));
    const QString addon2 = folder + QStringLiteral("/addon2");
    if (addon2Script.isEmpty()) {
        EXPECT_TRUE(QFile::link(BinDir() + QStringLiteral("/addon2"), addon2));
    } else {
        WriteScript(addon2, addon2Script);
    }
    set(SettingsKeys::InstallDir, folder);
    return folder;
}

void CliFixture::set(const QString& valueName, const QString& text)
{
    EXPECT_TRUE(registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName, text));
}

QString CliFixture::setting(const QString& valueName) const
{
    return registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName);
}

}  // namespace sonorelle::test
