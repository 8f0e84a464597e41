// Measures `addon2 -ar` putting a 10 KB song list back into a 1 GiB archive
// (median of several runs) beside the time `cp` takes to copy that archive once,
// both in the same run on the same disk, and how much each put-back grows it.
//
//   archive_putback [FOLDER]   (default: the system's temporary folder)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr qint64 kMiB = 1 << 20;
constexpr qint64 kArchiveSize = 1024 * kMiB;
constexpr qint64 kListSize = 10 * 1024;
constexpr int kPutBacks = 9;

bool WriteGenerated(const QString& path, qint64 size, std::uint64_t seed)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    std::vector<std::uint64_t> chunk(static_cast<std::size_t>(std::min(size, 8 * kMiB) / 8));
    for (qint64 written = 0; written < size;) {
        for (auto& word : chunk) {
            seed ^= seed << 13;
            seed ^= seed >> 7;
            seed ^= seed << 17;
            word = seed;
        }
        const qint64 piece = std::min<qint64>(size - written, static_cast<qint64>(chunk.size() * 8));
        if (file.write(reinterpret_cast<const char*>(chunk.data()), piece) != piece)
            return false;
        written += piece;
    }
    return file.flush();
}

// Runs a program to its end; returns the wall time in milliseconds, or -1.
double TimedRun(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "archive_putback: %s\n", what);
    return 1;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString base = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    const QString addon2 = QCoreApplication::applicationDirPath() + QStringLiteral("/addon2");
    if (QStorageInfo(base).bytesAvailable() < 3 * kArchiveSize)
        return Fail("needs 3 GiB free in the folder");
    QTemporaryDir folder(base + QStringLiteral("/archive_putback-XXXXXX"));
    if (!folder.isValid())
        return Fail("cannot make a work folder");
    const QString archive = folder.filePath(QStringLiteral("audio.big"));
    const QString stream = folder.filePath(QStringLiteral("s701.sng"));
    const QString list = folder.filePath(QStringLiteral("songlist.bin"));

    std::printf("building a %lld MiB archive in %s\n", kArchiveSize / kMiB, qPrintable(folder.path()));
    if (!WriteGenerated(stream, kArchiveSize, 1) || !WriteGenerated(list, kListSize, 2))
        return Fail("cannot write the generated members");
    const double createMs = TimedRun(addon2, {QStringLiteral("-c"), archive, stream, list});
    QFile::remove(stream);
    if (createMs < 0)
        return Fail("addon2 -c failed");

    const double copyMs = TimedRun(QStringLiteral("cp"), {archive, folder.filePath(QStringLiteral("copy.big"))});
    QFile::remove(folder.filePath(QStringLiteral("copy.big")));
    if (copyMs < 0)
        return Fail("cp failed");

    std::vector<double> putMs;
    const qint64 sizeBefore = QFileInfo(archive).size();
    for (int run = 0; run < kPutBacks; ++run) {
        if (!WriteGenerated(list, kListSize, 100 + static_cast<std::uint64_t>(run)))
            return Fail("cannot write the song list");
        putMs.push_back(TimedRun(addon2, {QStringLiteral("-ar"), archive, folder.filePath(QStringLiteral("songlist.*"))}));
        if (putMs.back() < 0)
            return Fail("addon2 -ar failed");
    }
    const qint64 growth = QFileInfo(archive).size() - sizeBefore;
    std::ranges::sort(putMs);

    // Start-up and directory read alone, without writing or flushing.
    std::vector<double> listMs;
    for (int run = 0; run < kPutBacks; ++run) {
        listMs.push_back(TimedRun(addon2, {QStringLiteral("-l"), archive}));
    }
    std::ranges::sort(listMs);

    std::printf("addon2 -c   (1 GiB + 10 KB, fsync)  %10.1f ms\n", createMs);
    std::printf("cp of the archive (reference)        %10.1f ms\n", copyMs);
    std::printf("addon2 -ar of 10 KB, median of %d    %10.1f ms  (fastest %.1f, slowest %.1f)\n", kPutBacks,
        putMs[putMs.size() / 2], putMs.front(), putMs.back());
    std::printf("addon2 -l, median of %d               %10.1f ms\n", kPutBacks, listMs[listMs.size() / 2]);
    std::printf("cp / median put-back                 %10.0f x\n", copyMs / putMs[putMs.size() / 2]);
    std::printf("growth per put-back                  %10.1f bytes (member %lld bytes)\n",
        static_cast<double>(growth) / kPutBacks, kListSize);
    return 0;
}
