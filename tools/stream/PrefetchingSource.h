#pragma once

#include "stream/PcmSource.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace sonorelle {

// Reads (decodes, converts) a source ahead on a second thread, so that decoding the input
// overlaps with encoding the output. A failure of the reading thread is thrown by read().
class PrefetchingSource final : public PcmSource {
public:
    explicit PrefetchingSource(std::unique_ptr<PcmSource> source);
    ~PrefetchingSource() override;
    PrefetchingSource(const PrefetchingSource&) = delete;
    PrefetchingSource& operator=(const PrefetchingSource&) = delete;

    int channels() const override { return channels_; }
    int sampleRate() const override { return sampleRate_; }
    std::int64_t frames() const override { return frames_; }
    std::string formatName() const override { return formatName_; }
    std::size_t read(std::int16_t* interleaved, std::size_t maxFrames) override;

private:
    struct Chunk {
        std::vector<std::int16_t> samples;
        std::size_t frames = 0;
    };

    void readAhead();
    bool takeNextChunk();

    std::unique_ptr<PcmSource> source_;
    const int channels_;
    const int sampleRate_;
    const std::int64_t frames_;
    const std::string formatName_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Chunk> filled_;
    std::vector<Chunk> spare_;
    bool finished_ = false;
    bool stopping_ = false;
    std::exception_ptr error_;

    Chunk current_;
    std::size_t currentOffset_ = 0;
    std::thread reader_;
};

} // namespace sonorelle
