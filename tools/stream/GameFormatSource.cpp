#include "stream/GameFormatSource.h"

#include "stream/ImaAdpcmLayout.h"
#include "stream/StreamError.h"

#include <algorithm>
#include <cmath>

namespace sonorelle {
namespace {

constexpr std::size_t kChunkFrames = 8192;

std::int16_t ToSample(float value)
{
    const float clipped = std::clamp(value, -32768.0F, 32767.0F);
    return static_cast<std::int16_t>(clipped >= 0.0F ? clipped + 0.5F : clipped - 0.5F);
}

} // namespace

GameFormatSource::GameFormatSource(std::unique_ptr<PcmSource> source)
    : source_(std::move(source)),
      ratio_(static_cast<double>(GameStreamFormat::kSampleRate) / source_->sampleRate())
{
    if (source_->sampleRate() != GameStreamFormat::kSampleRate) {
        int error = 0;
        resampler_ = src_new(SRC_SINC_MEDIUM_QUALITY, GameStreamFormat::kChannels, &error);
        if (!resampler_)
            throw StreamError(std::string("cannot convert the sample rate: ") + src_strerror(error));
        input_.resize(kChunkFrames * 2);
        output_.resize(kChunkFrames * 2);
    }
}

GameFormatSource::~GameFormatSource()
{
    if (resampler_)
        src_delete(resampler_);
}

int GameFormatSource::channels() const
{
    return GameStreamFormat::kChannels;
}

int GameFormatSource::sampleRate() const
{
    return GameStreamFormat::kSampleRate;
}

std::int64_t GameFormatSource::frames() const
{
    return std::llround(static_cast<double>(source_->frames()) * ratio_);
}

std::size_t GameFormatSource::read(std::int16_t* interleaved, std::size_t maxFrames)
{
    if (resampler_)
        return readResampled(interleaved, maxFrames);
    if (source_->channels() == 2)
        return source_->read(interleaved, maxFrames);
    sourceFrames_.resize(maxFrames * static_cast<std::size_t>(source_->channels()));
    const std::size_t got = source_->read(sourceFrames_.data(), maxFrames);
    toStereo(sourceFrames_.data(), got, interleaved);
    return got;
}

void GameFormatSource::toStereo(const std::int16_t* frames, std::size_t count, std::int16_t* stereo) const
{
    const auto channelCount = static_cast<std::size_t>(source_->channels());
    const std::size_t right = channelCount == 1 ? 0 : 1;
    for (std::size_t frame = 0; frame < count; ++frame) {
        stereo[2 * frame] = frames[frame * channelCount];
        stereo[2 * frame + 1] = frames[frame * channelCount + right];
    }
}

std::size_t GameFormatSource::readStereo(float* stereo, std::size_t maxFrames)
{
    sourceFrames_.resize(maxFrames * static_cast<std::size_t>(std::max(source_->channels(), 2)));
    mapped_.resize(maxFrames * 2);
    const std::size_t got = source_->read(sourceFrames_.data(), maxFrames);
    toStereo(sourceFrames_.data(), got, mapped_.data());
    std::transform(mapped_.begin(), mapped_.begin() + static_cast<std::ptrdiff_t>(got * 2), stereo,
                   [](std::int16_t sample) { return static_cast<float>(sample); });
    return got;
}

std::size_t GameFormatSource::readResampled(std::int16_t* interleaved, std::size_t maxFrames)
{
    std::size_t done = 0;
    while (done < maxFrames && !drained_) {
        if (inputUsed_ == inputEnd_ && !endOfInput_) {
            inputEnd_ = readStereo(input_.data(), kChunkFrames);
            inputUsed_ = 0;
            framesIn_ += inputEnd_;
            endOfInput_ = inputEnd_ == 0;
        }
        SRC_DATA data{};
        data.data_in = input_.data() + inputUsed_ * 2;
        data.input_frames = static_cast<long>(inputEnd_ - inputUsed_);
        data.data_out = output_.data();
        data.output_frames = static_cast<long>(std::min(maxFrames - done, kChunkFrames));
        data.end_of_input = endOfInput_ ? 1 : 0;
        data.src_ratio = ratio_;
        if (const int error = src_process(resampler_, &data))
            throw StreamError(std::string("cannot convert the sample rate: ") + src_strerror(error));
        inputUsed_ += static_cast<std::size_t>(data.input_frames_used);

        const auto wanted = static_cast<std::uint64_t>(std::llround(static_cast<double>(framesIn_) * ratio_));
        auto generated = static_cast<std::size_t>(
            std::min<std::uint64_t>(static_cast<std::uint64_t>(data.output_frames_gen), wanted - framesOut_));
        std::transform(output_.begin(), output_.begin() + static_cast<std::ptrdiff_t>(generated * 2),
                       interleaved + done * 2, ToSample);
        if (endOfInput_ && data.output_frames_gen == 0) {
            // The filter has drained; make the length exact with silence.
            generated = static_cast<std::size_t>(std::min<std::uint64_t>(wanted - framesOut_, maxFrames - done));
            std::fill_n(interleaved + done * 2, generated * 2, std::int16_t{0});
            drained_ = framesOut_ + generated == wanted;
        }
        done += generated;
        framesOut_ += generated;
    }
    return done;
}

} // namespace sonorelle
