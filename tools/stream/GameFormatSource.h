#pragma once

#include "stream/PcmSource.h"

#include <samplerate.h>

#include <memory>
#include <vector>

namespace sonorelle {

// Presents any source as the game's format, 44 100 Hz stereo: mono is doubled, of more
// channels the first two are kept, other rates go through libsamplerate. A resampled
// source yields exactly round(frames × 44100 / rate) frames.
class GameFormatSource final : public PcmSource {
public:
    explicit GameFormatSource(std::unique_ptr<PcmSource> source);
    ~GameFormatSource() override;
    GameFormatSource(const GameFormatSource&) = delete;
    GameFormatSource& operator=(const GameFormatSource&) = delete;

    int channels() const override;
    int sampleRate() const override;
    std::int64_t frames() const override;
    std::string formatName() const override { return source_->formatName(); }
    std::size_t read(std::int16_t* interleaved, std::size_t maxFrames) override;

private:
    std::size_t readStereo(float* stereo, std::size_t maxFrames);
    std::size_t readResampled(std::int16_t* interleaved, std::size_t maxFrames);
    void toStereo(const std::int16_t* frames, std::size_t count, std::int16_t* stereo) const;

    std::unique_ptr<PcmSource> source_;
    double ratio_;
    SRC_STATE* resampler_ = nullptr;
    std::vector<std::int16_t> sourceFrames_;
    std::vector<std::int16_t> mapped_;
    std::vector<float> input_;
    std::vector<float> output_;
    std::size_t inputUsed_ = 0;
    std::size_t inputEnd_ = 0;
    bool endOfInput_ = false;
    bool drained_ = false;
    std::uint64_t framesIn_ = 0;
    std::uint64_t framesOut_ = 0;
};

} // namespace sonorelle
