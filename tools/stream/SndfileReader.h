#pragma once

#include "stream/PcmSource.h"

#include <sndfile.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace sonorelle {

// Any audio file libsndfile reads (WAV, AIFF, FLAC, Ogg, MP3, MP2 …), recognised by its
// content. Samples are read as floats and clipped here: libsndfile's own float-to-short
// conversion wraps decoded MP3 peaks above full scale round. The file is read through a
// large buffer: libsndfile's MP3 decoder asks for a few hundred bytes at a time, and
// reading those straight from the file costs a system call each.
class SndfileReader final : public PcmSource {
public:
    explicit SndfileReader(const std::string& path);
    ~SndfileReader() override;
    SndfileReader(const SndfileReader&) = delete;
    SndfileReader& operator=(const SndfileReader&) = delete;

    int channels() const override { return info_.channels; }
    int sampleRate() const override { return info_.samplerate; }
    std::int64_t frames() const override { return info_.frames; }
    std::string formatName() const override;
    std::size_t read(std::int16_t* interleaved, std::size_t maxFrames) override;

private:
    struct CloseFile {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };

    std::string path_;
    std::vector<char> inputBuffer_;  // outlives input_, which uses it
    std::unique_ptr<std::FILE, CloseFile> input_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
    std::vector<float> buffer_;
};

} // namespace sonorelle
