#pragma once

#include "stream/ImaAdpcmDecoder.h"
#include "stream/PcmSource.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace sonorelle {

// Decodes a RIFF/WAVE IMA ADPCM file: audio ends at the frame count of `fact` and at the
// end of the `data` chunk, so bytes appended after the audio (a tag record) are never
// decoded.
class GameStreamReader final : public PcmSource {
public:
    // Null when the file is no IMA ADPCM WAVE; throws when it is one but cannot be read.
    static std::unique_ptr<GameStreamReader> open(const std::string& path);

    int channels() const override { return layout_.channels; }
    int sampleRate() const override { return sampleRate_; }
    std::int64_t frames() const override { return static_cast<std::int64_t>(frames_); }
    std::string formatName() const override;
    std::size_t read(std::int16_t* interleaved, std::size_t maxFrames) override;

    std::size_t blockBytes() const { return layout_.blockBytes; }
    std::uint64_t dataBytes() const { return dataBytes_; }

private:
    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    using File = std::unique_ptr<std::FILE, FileCloser>;

    GameStreamReader(File file, std::string path, ImaAdpcmLayout layout, int sampleRate,
                     std::uint64_t dataBytes, std::uint64_t frames);
    std::size_t decodeNextBlock(std::int16_t* frames);

    File file_;
    std::string path_;
    ImaAdpcmLayout layout_;
    ImaAdpcmDecoder decoder_;
    int sampleRate_;
    std::uint64_t dataBytes_;
    std::uint64_t frames_;
    std::uint64_t bytesLeft_;
    std::uint64_t framesLeft_;
    std::vector<std::uint8_t> block_;
    std::vector<std::int16_t> decoded_;
    std::size_t decodedOffset_ = 0;
    std::size_t decodedEnd_ = 0;
};

} // namespace sonorelle
