#include "support/Mp3Files.h"

#include "support/ToolRun.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sonorelle::test {

namespace {

QString ToneWav()
{
    static QTemporaryDir folder;
    const QString wav = folder.filePath(QStringLiteral("tone.wav"));
    if (!QFile::exists(wav))
        RunTool(QStringLiteral("sox"),
                Args({"-n", "-r", "44100", "-c", "1"}) + QStringList{wav} + Args({"synth", "0.2", "sine", "440"}));
    return wav;
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

void AppendToFile(const QString& path, const QByteArray& bytes)
{
    WriteFile(path, ReadFile(path) + bytes);
}

}  // namespace sonorelle::test
