#include "stream/SndfileReader.h"

#include "stream/StreamError.h"

#include <algorithm>
#include <cmath>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>

namespace sonorelle {
namespace {

// Written without branches so that the compiler vectorises it.
std::int16_t ToSample(float value)
{
    const float scaled = std::min(std::max(value * 32767.0F, -32768.0F), 32767.0F);
    return static_cast<std::int16_t>(static_cast<int>(scaled + std::copysign(0.5F, scaled)));
}

// libsndfile's messages end in a full stop; ours go in brackets.
std::string Reason(const char* message)
{
    std::string reason = message;
    while (!reason.empty() && (reason.back() == '.' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

constexpr std::size_t kInputBufferBytes = std::size_t{1} << 18;

std::FILE* Input(void* file)
{
    return static_cast<std::FILE*>(file);
}

SF_VIRTUAL_IO BufferedInput()
{
    SF_VIRTUAL_IO io{};
    io.get_filelen = [](void* file) -> sf_count_t {
        struct stat status {};
        return ::fstat(::fileno(Input(file)), &status) == 0 ? status.st_size : -1;
    };
    io.seek = [](sf_count_t offset, int whence, void* file) -> sf_count_t {
        return ::fseeko(Input(file), offset, whence) == 0 ? ::ftello(Input(file)) : -1;
    };
    io.read = [](void* data, sf_count_t bytes, void* file) -> sf_count_t {
        return static_cast<sf_count_t>(std::fread(data, 1, static_cast<std::size_t>(bytes), Input(file)));
    };
    io.write = [](const void*, sf_count_t, void*) -> sf_count_t { return 0; };
    io.tell = [](void* file) -> sf_count_t { return ::ftello(Input(file)); };
    return io;
}

} // namespace

SndfileReader::SndfileReader(const std::string& path)
    : path_(path), inputBuffer_(kInputBufferBytes), input_(std::fopen(path.c_str(), "rb"))
{
    if (!input_)
        throw StreamError("cannot open '" + path + "': " + std::strerror(errno));
    std::setvbuf(input_.get(), inputBuffer_.data(), _IOFBF, inputBuffer_.size());
    SF_VIRTUAL_IO io = BufferedInput();
    file_ = sf_open_virtual(&io, SFM_READ, &info_, input_.get());
    if (!file_)
        throw StreamError("'" + path + "' is not audio in a format this tool reads (" + Reason(sf_strerror(nullptr)) + ")");
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
        throw StreamError("cannot decode '" + path_ + "': the audio is damaged (" + Reason(sf_strerror(file_)) + ")");
    const auto frames = static_cast<std::size_t>(std::max<sf_count_t>(got, 0));
    std::transform(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(frames * channelCount),
                   interleaved, ToSample);
    return frames;
}

} // namespace sonorelle
