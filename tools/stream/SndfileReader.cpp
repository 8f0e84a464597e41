#include "stream/SndfileReader.h"

#include "stream/StreamError.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace sonorelle {
namespace {

std::int16_t ToSample(float value)
{
    const float scaled = std::clamp(value * 32767.0F, -32768.0F, 32767.0F);
    return static_cast<std::int16_t>(scaled >= 0.0F ? scaled + 0.5F : scaled - 0.5F);
}

void CheckReadable(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        throw StreamError("cannot open '" + path + "': " + std::strerror(errno));
    std::fclose(file);
}

} // namespace

SndfileReader::SndfileReader(const std::string& path) : path_(path)
{
    CheckReadable(path);
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (!file_)
        throw StreamError("cannot read audio from '" + path + "': " + sf_strerror(nullptr));
    if (info_.channels <= 0 || info_.samplerate <= 0) {
        sf_close(file_);
        throw StreamError("'" + path + "' holds no usable audio");
    }
}

SndfileReader::~SndfileReader()
{
    sf_close(file_);
}

std::string SndfileReader::formatName() const
{
    SF_FORMAT_INFO major{};
    major.format = info_.format & SF_FORMAT_TYPEMASK;
    SF_FORMAT_INFO minor{};
    minor.format = info_.format & SF_FORMAT_SUBMASK;
    sf_command(nullptr, SFC_GET_FORMAT_INFO, &major, sizeof major);
    sf_command(nullptr, SFC_GET_FORMAT_INFO, &minor, sizeof minor);
    return std::string(major.name ? major.name : "audio") + ", " + (minor.name ? minor.name : "");
}

std::size_t SndfileReader::read(std::int16_t* interleaved, std::size_t maxFrames)
{
    const auto channelCount = static_cast<std::size_t>(info_.channels);
    buffer_.resize(maxFrames * channelCount);
    const sf_count_t got = sf_readf_float(file_, buffer_.data(), static_cast<sf_count_t>(maxFrames));
    if (got <= 0 && sf_error(file_) != SF_ERR_NO_ERROR)
        throw StreamError("cannot decode '" + path_ + "': " + sf_strerror(file_));
    const auto frames = static_cast<std::size_t>(std::max<sf_count_t>(got, 0));
    std::transform(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(frames * channelCount),
                   interleaved, ToSample);
    return frames;
}

} // namespace sonorelle
