#pragma once

#include "stream/AtomicOutputFile.h"

#include <sndfile.h>

#include <string>

namespace sonorelle {

// libsndfile writing into an AtomicOutputFile through its virtual I/O. libsndfile's MP3
// writer does not report failed writes (a full disk gave a truncated MP3 and success), so
// the first error is kept here and thrown by close().
class SndfileOutput {
public:
    SndfileOutput(const std::string& path, SF_INFO& info);
    ~SndfileOutput();
    SndfileOutput(const SndfileOutput&) = delete;
    SndfileOutput& operator=(const SndfileOutput&) = delete;

    SNDFILE* handle() const { return handle_; }
    // Closes the encoder and puts the file in place; throws on any error on the way.
    void close();

private:
    static sf_count_t length(void* self);
    static sf_count_t seek(sf_count_t offset, int whence, void* self);
    static sf_count_t read(void* data, sf_count_t bytes, void* self);
    static sf_count_t write(const void* data, sf_count_t bytes, void* self);
    static sf_count_t tell(void* self);
    template <typename Operation>
    sf_count_t guarded(Operation&& operation);

    AtomicOutputFile file_;
    SF_VIRTUAL_IO io_{};
    SNDFILE* handle_ = nullptr;
    std::uint64_t position_ = 0;
    std::string error_;
};

} // namespace sonorelle
