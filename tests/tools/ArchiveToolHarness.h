#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <optional>

namespace sonorelle::test {

// Runs the real addon2 and makes the files its tests feed it, inside a fresh
// temporary folder per test.
class ArchiveToolHarness {
public:
    struct Result {
        bool finished = false;  // false: still running at the time limit, then killed
        bool crashed = false;   // ended by a signal
        int exitCode = -1;
        QByteArray out;
        QByteArray err;

        bool OneLineError() const;
    };

    ArchiveToolHarness();

    QString Path(const QString& name) const;
    static Result Run(const QStringList& arguments, int timeLimitMs = 60000);

    // Deterministic bytes that differ for every seed.
    static QByteArray Bytes(std::int64_t size, std::uint32_t seed);
    static void Write(const QString& path, const QByteArray& bytes);
    static QByteArray Read(const QString& path);

    // The bytes `-e` writes for `member`, or nothing when it fails.
    std::optional<QByteArray> Extract(const QString& archive, const QString& member) const;

private:
    QTemporaryDir folder_;
};

}  // namespace sonorelle::test
