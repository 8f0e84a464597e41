// Finding the game in ten Wine prefixes whose system.reg files are 5 MB each, as a
// fresh finder (every file read as far as the game's key) and as one that kept its
// answers, beside the reference measured in the same run: reading one such file
// whole and parsing it, as the Registry reads a prefix.
#include "platform/GameInstallations.h"
#include "platform/RegFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace sonorelle {
namespace {

constexpr qsizetype FileBytes = 5 * 1024 * 1024;
const QString GameKey = QStringLiteral("SOFTWARE\\Ostravel\\Kickvale 09");
const QString InstallDir = QStringLiteral("Install Dir");

// Keys of a branch until it holds its share of the file, in Wine's order and style.
void appendBranch(QByteArray& out, const QByteArray& branch, qsizetype bytes)
{
    const qsizetype end = out.size() + bytes;
    for (int i = 0; out.size() < end; ++i) {
        out += "\n[" + branch + "\\\\{" + QByteArray::number(0x1000000 + i * 7919, 16) + "-5a2b-4c3d}\\\\InprocServer32] 1700000000\n";
        out += "#time=1da4f0c3b2a1e00\n";
        out += "@=\"C:\\\\windows\\\\system32\\\\component" + QByteArray::number(i) + ".dll\"\n";
        out += "\"ThreadingModel\"=\"Both\"\n";
        if (i % 3 == 0)
            out += "\"Flags\"=dword:00000004\n\"Data\"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,\\\n  15,16\n";
    }
}

// Wine writes keys in sorted order: the 32-bit view of the game's key comes after
// the big Classes and Microsoft branches of both views.
QByteArray systemReg()
{
    QByteArray out = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n";
    appendBranch(out, "Software\\\\Classes\\\\CLSID", FileBytes * 35 / 100);
    appendBranch(out, "Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Components", FileBytes * 15 / 100);
    appendBranch(out, "Software\\\\Wow6432Node\\\\Classes\\\\CLSID", FileBytes * 25 / 100);
    out += "\n[Software\\\\Wow6432Node\\\\Ostravel\\\\Kickvale 09] 1700000000\n\"Install Dir\"=\"C:\\\\Games\\\\Kickvale 09\"\n";
    appendBranch(out, "System\\\\CurrentControlSet\\\\Services", FileBytes - out.size());
    return out;
}

class BenchHome {
public:
    static BenchHome& instance()
    {
        static BenchHome home;
        return home;
    }

    QProcessEnvironment environment;
    QString oneFile;

private:
    BenchHome()
    {
        const QByteArray bytes = systemReg();
        const QStringList prefixes = {
            QStringLiteral(".wine"),
            QStringLiteral(".local/share/Steam/steamapps/compatdata/2400/pfx"),
            QStringLiteral(".local/share/Steam/steamapps/compatdata/2410/pfx"),
            QStringLiteral(".local/share/Steam/steamapps/compatdata/2420/pfx"),
            QStringLiteral(".local/share/bottles/bottles/One"),
            QStringLiteral(".local/share/bottles/bottles/Two"),
            QStringLiteral(".local/share/bottles/bottles/Three"),
            QStringLiteral(".PlayOnLinux/wineprefix/A"),
            QStringLiteral(".PlayOnLinux/wineprefix/B"),
            QStringLiteral(".PlayOnLinux/wineprefix/C"),
        };
        // Old enough for the finder to keep what it read.
        const QDateTime written = QDateTime::currentDateTime().addSecs(-3600);
        for (const QString& relative : prefixes) {
            const QString prefix = root_.filePath(relative);
            QDir().mkpath(prefix + QStringLiteral("/drive_c/Games/Kickvale 09"));
            QFile file(prefix + QStringLiteral("/system.reg"));
            if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
                qFatal("cannot write %s", qPrintable(file.fileName()));
            file.setFileTime(written, QFileDevice::FileModificationTime);
            oneFile = file.fileName();
        }
        environment.insert(QStringLiteral("HOME"), root_.path());
        environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    }

    QTemporaryDir root_;
};

void BM_FindInTenPrefixes_FreshFinder(benchmark::State& state)
{
    BenchHome& home = BenchHome::instance();
    for (auto _ : state) {
        const GameInstallations finder(GameKey, InstallDir);
        const GameInstallations::Result result = finder.find(home.environment);
        if (result.installations.size() != 10)
            state.SkipWithError("not every prefix was found");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_FindInTenPrefixes_FreshFinder)->Unit(benchmark::kMillisecond);

void BM_FindInTenPrefixes_KeptAnswers(benchmark::State& state)
{
    BenchHome& home = BenchHome::instance();
    const GameInstallations finder(GameKey, InstallDir);
    finder.find(home.environment);
    for (auto _ : state) {
        const GameInstallations::Result result = finder.find(home.environment);
        if (result.installations.size() != 10)
            state.SkipWithError("not every prefix was found");
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_FindInTenPrefixes_KeptAnswers)->Unit(benchmark::kMillisecond);

// Reference: one such file read whole and parsed, as the Registry reads a prefix.
void BM_Reference_ReadAndParseOneFileWhole(benchmark::State& state)
{
    const QString path = BenchHome::instance().oneFile;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read");
        const RegFile parsed = RegFile::parse(file.readAll());
        benchmark::DoNotOptimize(parsed.keyCount());
    }
}
BENCHMARK(BM_Reference_ReadAndParseOneFileWhole)->Unit(benchmark::kMillisecond);

// Reference: the bytes of one such file, read and nothing more.
void BM_Reference_ReadOneFileWhole(benchmark::State& state)
{
    const QString path = BenchHome::instance().oneFile;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("cannot read");
        benchmark::DoNotOptimize(file.readAll().size());
    }
}
BENCHMARK(BM_Reference_ReadOneFileWhole)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace sonorelle

BENCHMARK_MAIN();
