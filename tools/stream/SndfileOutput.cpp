#include "stream/SndfileOutput.h"

#include "stream/StreamError.h"

#include <exception>

namespace sonorelle {

SndfileOutput::SndfileOutput(const std::string& path, SF_INFO& info) : file_(path)
{
    io_.get_filelen = &SndfileOutput::length;
    io_.seek = &SndfileOutput::seek;
    io_.read = &SndfileOutput::read;
    io_.write = &SndfileOutput::write;
    io_.tell = &SndfileOutput::tell;
    handle_ = sf_open_virtual(&io_, SFM_WRITE, &info, this);
    if (!handle_)
        throw StreamError("cannot write '" + path + "': " + sf_strerror(nullptr));
}

SndfileOutput::~SndfileOutput()
{
    if (handle_)
        sf_close(handle_);
}

void SndfileOutput::close()
{
    const std::string libraryError = sf_error(handle_) ? sf_strerror(handle_) : std::string();
    const int closed = sf_close(handle_);
    handle_ = nullptr;
    if (!error_.empty())
        throw StreamError(error_);
    if (closed != 0 || !libraryError.empty())
        throw StreamError("cannot write '" + file_.finalPath() + "': " + libraryError);
    file_.commit();
}

template <typename Operation>
sf_count_t SndfileOutput::guarded(Operation&& operation)
{
    if (!error_.empty())
        return -1;
    try {
        return operation();
    } catch (const std::exception& error) {
        error_ = error.what();
        return -1;
    }
}

sf_count_t SndfileOutput::length(void* self)
{
    return static_cast<sf_count_t>(static_cast<SndfileOutput*>(self)->file_.size());
}

sf_count_t SndfileOutput::seek(sf_count_t offset, int whence, void* self)
{
    auto& output = *static_cast<SndfileOutput*>(self);
    const sf_count_t base = whence == SEEK_CUR   ? static_cast<sf_count_t>(output.position_)
                            : whence == SEEK_END ? static_cast<sf_count_t>(output.file_.size())
                                                 : 0;
    if (base + offset < 0)
        return -1;
    output.position_ = static_cast<std::uint64_t>(base + offset);
    return base + offset;
}

sf_count_t SndfileOutput::read(void* data, sf_count_t bytes, void* self)
{
    auto& output = *static_cast<SndfileOutput*>(self);
    return output.guarded([&] {
        const std::size_t got = output.file_.readAt(output.position_, data, static_cast<std::size_t>(bytes));
        output.position_ += got;
        return static_cast<sf_count_t>(got);
    });
}

sf_count_t SndfileOutput::write(const void* data, sf_count_t bytes, void* self)
{
    auto& output = *static_cast<SndfileOutput*>(self);
    return output.guarded([&] {
        const auto count = static_cast<std::size_t>(bytes);
        if (output.position_ == output.file_.size())
            output.file_.write(data, count);
        else
            output.file_.writeAt(output.position_, data, count);
        output.position_ += count;
        return bytes;
    });
}

sf_count_t SndfileOutput::tell(void* self)
{
    return static_cast<sf_count_t>(static_cast<SndfileOutput*>(self)->position_);
}

} // namespace sonorelle
