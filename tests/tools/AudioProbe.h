#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace sonorelle::test {

// Audio as libsndfile (not our decoder) reads it back.
struct DecodedAudio {
    int sampleRate = 0;
    int channels = 0;
    int format = 0;
    std::vector<std::int16_t> samples;

    std::size_t frames() const { return channels ? samples.size() / static_cast<std::size_t>(channels) : 0; }
    // Tone frequency of one channel from its zero crossings, ignoring the first and last
    // tenth where encoders fade in and pad.
    double frequency(int channel) const;
};

DecodedAudio ReadAudio(const QString& path);

struct ProcessResult {
    int exitCode = -1;
    QString standardOutput;
    QString standardError;
};

// Runs a program to its end; a program that cannot start gives exit code -1.
ProcessResult RunProcess(const QString& program, const QStringList& arguments);

}  // namespace sonorelle::test
