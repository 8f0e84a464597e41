#include "tools/AudioProbe.h"

#include <QProcess>

#include <sndfile.h>

namespace sonorelle::test {

double DecodedAudio::frequency(int channel) const
{
    const std::size_t count = frames();
    const std::size_t first = count / 10;
    const std::size_t last = count - count / 10;
    const auto stride = static_cast<std::size_t>(channels);
    int crossings = 0;
    for (std::size_t frame = first + 1; frame < last; ++frame) {
        const int before = samples[(frame - 1) * stride + static_cast<std::size_t>(channel)];
        const int now = samples[frame * stride + static_cast<std::size_t>(channel)];
        if ((before < 0) != (now < 0))
            ++crossings;
    }
    return crossings / 2.0 * sampleRate / static_cast<double>(last - first);
}

DecodedAudio ReadAudio(const QString& path)
{
    DecodedAudio audio;
    SF_INFO info{};
    SNDFILE* file = sf_open(path.toLocal8Bit().constData(), SFM_READ, &info);
    if (!file)
        return audio;
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    audio.format = info.format;
    std::vector<std::int16_t> chunk(65536 * static_cast<std::size_t>(info.channels));
    while (const sf_count_t got = sf_readf_short(file, chunk.data(), 65536))
        audio.samples.insert(audio.samples.end(), chunk.begin(),
                             chunk.begin() + static_cast<std::ptrdiff_t>(got * info.channels));
    sf_close(file);
    return audio;
}

ProcessResult RunProcess(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForStarted() || !process.waitForFinished(300000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.standardOutput = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.standardError = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

}  // namespace sonorelle::test
