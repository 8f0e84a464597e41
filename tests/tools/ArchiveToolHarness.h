#pragma once

#include "support/ToolRun.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace sonorelle::test {

// Members in the order they go onto the command line.
using Members = std::vector<std::pair<QString, QByteArray>>;

// Runs the real addon2 on files made in a fresh temporary folder.
class ArchiveToolHarness {
public:
    QString Path(const QString& name) const { return folder_.filePath(name); }

    static ToolRun Run(const QStringList& arguments, int timeLimitMs = 60000)
    {
        return RunToEnd(Tool("addon2"), arguments, timeLimitMs);
    }

    // Writes the members into in/ and makes an archive of them with -c.
    QString Create(const QString& name, const Members& members) const
    {
        QDir(folder_.path()).mkpath(QStringLiteral("in"));
        QStringList arguments{QStringLiteral("-c"), Path(name)};
        for (const auto& [member, bytes] : members) {
            arguments << Path(QStringLiteral("in/") + member);
            WriteFile(arguments.back(), bytes);
        }
        const ToolRun run = Run(arguments);
        EXPECT_TRUE(run.Ok()) << run.err.toStdString();
        return Path(name);
    }

    // Writes `bytes` under `name` and puts that file back with -ar.
    void Put(const QString& archive, const QString& name, const QByteArray& bytes) const
    {
        WriteFile(Path(name), bytes);
        const ToolRun run = Run({QStringLiteral("-ar"), archive, Path(name)});
        ASSERT_TRUE(run.Ok()) << run.err.toStdString();
    }

    static QByteArray Listing(const QString& archive)
    {
        const ToolRun run = Run({QStringLiteral("-l"), archive});
        EXPECT_TRUE(run.Ok()) << run.err.toStdString();
        return run.out;
    }

    // The bytes -e writes for `member`, or nothing when it fails.
    std::optional<QByteArray> Extract(const QString& archive, const QString& member) const
    {
        const QString out = Path(QStringLiteral("extracted.out"));
        QFile::remove(out);
        if (!Run({QStringLiteral("-e"), archive, member, out}).Ok())
            return std::nullopt;
        return ReadFile(out);
    }

private:
    QTemporaryDir folder_;
};

}  // namespace sonorelle::test
