#include "support/Mp3Files.h"

#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle::test {

namespace {

QString ToneWav()
{
    static QTemporaryDir folder;
    const QString wav = folder.filePath(QStringLiteral("tone.wav"));
    if (!QFile::exists(wav))
        RunTool(QStringLiteral("sox"), {QStringLiteral("-n"), QStringLiteral("-r"), QStringLiteral("44100"),
                                        QStringLiteral("-c"), QStringLiteral("1"), wav, QStringLiteral("synth"),
                                        QStringLiteral("0.2"), QStringLiteral("sine"), QStringLiteral("440")});
    return wav;
}

// mutagen is installed for the system's interpreter, which another one on PATH may hide.
QString SystemPython()
{
    const QString system = QStandardPaths::findExecutable(QStringLiteral("python3"), {QStringLiteral("/usr/bin")});
    return system.isEmpty() ? QStringLiteral("python3") : system;
}

}  // namespace

QString S(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList Args(std::initializer_list<const char*> words)
{
    QStringList list;
    for (const char* word : words)
        list.append(S(word));
    return list;
}

void RunTool(const QString& program, const QStringList& arguments)
{
    const ToolRun run = RunToEnd(program, arguments, 60000);
    ASSERT_TRUE(run.Ok()) << program.toStdString() << ": " << (run.out + run.err).toStdString();
}

QString LameMp3(const QString& folder, const QString& name, const QStringList& tagOptions)
{
    const QString mp3 = QDir(folder).filePath(name);
    RunTool(QStringLiteral("lame"), QStringList{QStringLiteral("--quiet")} + tagOptions + QStringList{ToneWav(), mp3});
    return mp3;
}

void Mutagen(const QString& path, const QString& statements)
{
    const QString program = QStringLiteral("import sys\nfrom mutagen.id3 import ID3, TIT2, TPE1, TALB, TYER\npath = sys.argv[1]\n") + statements;
    RunTool(SystemPython(), {QStringLiteral("-c"), program, path});
}

void AppendToFile(const QString& path, const QByteArray& bytes)
{
    WriteFile(path, ReadFile(path) + bytes);
}

}  // namespace sonorelle::test
