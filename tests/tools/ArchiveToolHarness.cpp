#include "tools/ArchiveToolHarness.h"

#include "support/TestEnvironment.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <random>

namespace sonorelle::test {

bool ArchiveToolHarness::Result::OneLineError() const
{
    return finished && !crashed && exitCode != 0 && err.count('\n') == 1 && err.endsWith('\n') && err.size() > 1;
}

ArchiveToolHarness::ArchiveToolHarness()
{
    EXPECT_TRUE(folder_.isValid());
}

QString ArchiveToolHarness::Path(const QString& name) const
{
    return folder_.filePath(name);
}

ArchiveToolHarness::Result ArchiveToolHarness::Run(const QStringList& arguments, int timeLimitMs)
{
    QProcess process;
    process.start(BinDir() + QStringLiteral("/addon2"), arguments);
    Result result;
    if (!process.waitForStarted()) {
        ADD_FAILURE() << "addon2 did not start: " << process.errorString().toStdString();
        return result;
    }
    result.finished = process.waitForFinished(timeLimitMs);
    if (!result.finished) {
        process.kill();
        process.waitForFinished();
    }
    result.crashed = process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

QByteArray ArchiveToolHarness::Bytes(std::int64_t size, std::uint32_t seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

void ArchiveToolHarness::Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray ArchiveToolHarness::Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

std::optional<QByteArray> ArchiveToolHarness::Extract(const QString& archive, const QString& member) const
{
    const QString out = Path(QStringLiteral("extracted.out"));
    QFile::remove(out);
    const Result result = Run({QStringLiteral("-e"), archive, member, out});
    if (result.exitCode != 0 || !result.finished || result.crashed)
        return std::nullopt;
    return Read(out);
}

}  // namespace sonorelle::test
