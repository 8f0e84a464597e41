#include "stream/PcmWavWriter.h"

#include "stream/LittleEndian.h"
#include "stream/StreamError.h"

#include <limits>
#include <vector>

namespace sonorelle {

PcmWavWriter::PcmWavWriter(const std::string& path, int channels, int sampleRate)
    : file_(path), channels_(channels), sampleRate_(sampleRate)
{
    const auto placeholder = header(0);
    file_.write(placeholder.data(), placeholder.size());
}

void PcmWavWriter::write(const std::int16_t* interleaved, std::size_t frameCount)
{
    // WAVE samples are little-endian, as is every machine this builds for.
    const std::size_t bytes = frameCount * static_cast<std::size_t>(channels_) * sizeof(std::int16_t);
    file_.write(interleaved, bytes);
    dataBytes_ += bytes;
}

void PcmWavWriter::finish()
{
    if (dataBytes_ > std::numeric_limits<std::uint32_t>::max() - 44)
        throw StreamError("audio too long for a WAVE file: '" + file_.finalPath() + "'");
    const auto finalHeader = header(static_cast<std::uint32_t>(dataBytes_));
    file_.writeAt(0, finalHeader.data(), finalHeader.size());
    file_.commit();
}

std::vector<std::uint8_t> PcmWavWriter::header(std::uint32_t dataBytes) const
{
    const auto channels = static_cast<std::uint32_t>(channels_);
    const auto rate = static_cast<std::uint32_t>(sampleRate_);
    std::vector<std::uint8_t> out;
    out.reserve(44);
    le::AppendTag(out, "RIFF");
    le::Append32(out, 36 + dataBytes);
    le::AppendTag(out, "WAVE");
    le::AppendTag(out, "fmt ");
    le::Append32(out, 16);
    le::Append16(out, 1);
    le::Append16(out, channels);
    le::Append32(out, rate);
    le::Append32(out, rate * channels * 2);
    le::Append16(out, channels * 2);
    le::Append16(out, 16);
    le::AppendTag(out, "data");
    le::Append32(out, dataBytes);
    return out;
}

} // namespace sonorelle
