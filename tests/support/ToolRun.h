#pragma once

#include "support/FileBytes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace sonorelle::test {

// One run of a program to its end, or to the time limit and then killed.
struct ToolRun {
    bool finished = false;
    bool crashed = false;  // ended by a signal
    int exitCode = -1;
    QByteArray out;
    QByteArray err;

    bool Ok() const { return finished && !crashed && exitCode == 0; }
    // A clean failure: non-zero exit and exactly one line on stderr.
    bool OneLineError() const;
};

ToolRun RunToEnd(const QString& program, const QStringList& arguments, int timeLimitMs = 300000);
// One of our tools in the build's bin folder.
QString Tool(const char* name);

// Deterministic bytes that differ for every seed.
QByteArray Bytes(std::int64_t size, std::uint32_t seed);

}  // namespace sonorelle::test
