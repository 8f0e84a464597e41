#include "support/StartupFixture.h"

#include "app/SettingsKeys.h"
#include "platform/ToolRunner.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <tuple>

namespace sonorelle::test {

StartupFixture::StartupFixture()
    : registry(root_.filePath(QStringLiteral("registry.reg")), root_.filePath(QStringLiteral("wine")))
{
    writeFile(QStringLiteral("program/addon3"), "#!/bin/sh\n");
    const QString archiveTool = BinDir() + QStringLiteral("/addon2");
    QFile::link(archiveTool, path(QStringLiteral("program/addon2")));
    writeLanguage(QStringLiteral("program/languages/English.lng"), QStringLiteral("English"),
                  {{QStringLiteral("msg8_1"), QStringLiteral("Missing:")},
                   {QStringLiteral("msg8_3"), QStringLiteral("addon3, reinstall.")},
                   {QStringLiteral("msgcap1"), QStringLiteral("Sonorelle says")}});
    QDir().mkpath(path(QStringLiteral("game/data/audio")));
    QDir().mkpath(path(QStringLiteral("exe")));
    set(SettingsKeys::InstallDir, programDir());
    setGame(gameDir());
    set(SettingsKeys::CDDrive, QStringLiteral("0"));
    set(SettingsKeys::Language, path(QStringLiteral("program/languages/English.lng")));
    set(SettingsKeys::FirstRun, QStringLiteral("1"));
}

void StartupFixture::writeFile(const QString& relative, const QByteArray& content) const
{
    WriteFile(path(relative), content);
}

void StartupFixture::writeLanguage(const QString& relative, const QString& name,
                                   const QMap<QString, QString>& translations) const
{
    QString content = QStringLiteral("[Global]\nLanguage=%1\nAutor=%1 translator\nemail=%1@example.org\n"
                                     "www=www.example.org/%1\nversion=2.%2\n[Translate]\n")
                          .arg(name)
                          .arg(name.size());
    for (auto it = translations.constBegin(); it != translations.constEnd(); ++it)
        content += it.key() + QLatin1Char('=') + it.value() + QLatin1Char('\n');
    writeFile(relative, content.toUtf8());
}

void StartupFixture::writeArchive(const QByteArray& songList, const QString& relativeArchive) const
{
    writeFile(QStringLiteral("source/songlist.bin"), songList);
    const RunResult made = RunAndWait(BinDir() + QStringLiteral("/addon2"),
                                      {QStringLiteral("-c"), path(relativeArchive),
                                       path(QStringLiteral("source/songlist.bin"))},
                                      WindowStyle::Hidden, 60000);
    ASSERT_TRUE(made.succeeded()) << made.error.toStdString();
}

void StartupFixture::set(const QString& valueName, const QString& text)
{
    ASSERT_TRUE(registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName, text));
}

void StartupFixture::setGame(const QString& installDir)
{
    ASSERT_TRUE(
        registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::GameKey, SettingsKeys::GameInstallDir, installDir));
}

QString StartupFixture::setting(const QString& valueName) const
{
    return registry.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName);
}

StartupOutcome StartupFixture::run(const QString& commandLine)
{
    StartupSequence sequence(context, setup, path(QStringLiteral("exe")), commandLine);
    return sequence.FormLoad();
}

void StartupFixture::expectFatal(const QString& text, const QString& caption)
{
    EXPECT_EQ(run(), StartupOutcome::Ended);
    ASSERT_EQ(feedback.messages.size(), 1);
    const RecordingFeedback::Message& message = feedback.messages[0];
    EXPECT_EQ(std::tuple(message.text, message.caption, message.icon), std::tuple(text, caption, MessageIcon::Critical));
    EXPECT_EQ(host.calls.last(), QStringLiteral("closeProgram"));
    EXPECT_FALSE(host.calls.contains(QStringLiteral("placeFileBrowser")));
    feedback.messages.clear();
}

QByteArray StartupFixture::looseList() const
{
    return ReadFile(gameDir() + QStringLiteral("data/audio/songlist.bin"));
}

}  // namespace sonorelle::test
