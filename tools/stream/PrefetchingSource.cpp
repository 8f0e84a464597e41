#include "stream/PrefetchingSource.h"

#include <algorithm>

namespace sonorelle {
namespace {

constexpr std::size_t kChunkFrames = 16384;
constexpr std::size_t kChunksAhead = 4;

} // namespace

PrefetchingSource::PrefetchingSource(std::unique_ptr<PcmSource> source)
    : source_(std::move(source)), channels_(source_->channels()), sampleRate_(source_->sampleRate()),
      frames_(source_->frames()), formatName_(source_->formatName()), spare_(kChunksAhead)
{
    reader_ = std::thread([this] { readAhead(); });
}

PrefetchingSource::~PrefetchingSource()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

void PrefetchingSource::readAhead()
{
    const std::size_t samplesPerChunk = kChunkFrames * static_cast<std::size_t>(channels_);
    for (;;) {
        Chunk chunk;
        {
            std::unique_lock lock(mutex_);
            changed_.wait(lock, [this] { return stopping_ || !spare_.empty(); });
            if (stopping_)
                return;
            chunk = std::move(spare_.back());
            spare_.pop_back();
        }
        chunk.samples.resize(samplesPerChunk);
        try {
            chunk.frames = source_->read(chunk.samples.data(), kChunkFrames);
        } catch (...) {
            std::lock_guard lock(mutex_);
            error_ = std::current_exception();
            finished_ = true;
            changed_.notify_all();
            return;
        }
        std::lock_guard lock(mutex_);
        if (chunk.frames == 0) {
            finished_ = true;
            changed_.notify_all();
            return;
        }
        filled_.push_back(std::move(chunk));
        changed_.notify_all();
    }
}

bool PrefetchingSource::takeNextChunk()
{
    std::unique_lock lock(mutex_);
    if (!current_.samples.empty())
        spare_.push_back(std::move(current_));
    changed_.notify_all();
    changed_.wait(lock, [this] { return !filled_.empty() || finished_; });
    if (filled_.empty()) {
        current_ = Chunk{};
        currentOffset_ = 0;
        if (error_)
            std::rethrow_exception(error_);
        return false;
    }
    current_ = std::move(filled_.front());
    filled_.pop_front();
    currentOffset_ = 0;
    return true;
}

std::size_t PrefetchingSource::read(std::int16_t* interleaved, std::size_t maxFrames)
{
    const auto channelCount = static_cast<std::size_t>(channels_);
    std::size_t done = 0;
    while (done < maxFrames) {
        if (currentOffset_ == current_.frames && !takeNextChunk())
            break;
        const std::size_t taken = std::min(current_.frames - currentOffset_, maxFrames - done);
        std::copy_n(current_.samples.data() + currentOffset_ * channelCount, taken * channelCount,
                    interleaved + done * channelCount);
        currentOffset_ += taken;
        done += taken;
    }
    return done;
}

} // namespace sonorelle
