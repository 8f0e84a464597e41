#include "stream/GameStreamReader.h"

#include "stream/LittleEndian.h"
#include "stream/StreamError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

namespace sonorelle {
namespace {

constexpr std::uint32_t kImaAdpcmTag = 0x0011;
constexpr std::uint32_t kUnknownDataSize = 0xFFFFFFFFU;

struct ChunkHeader {
    std::string id;
    std::uint32_t size = 0;
};

std::optional<ChunkHeader> ReadChunkHeader(std::FILE* file)
{
    std::uint8_t bytes[8];
    if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes)
        return std::nullopt;
    return ChunkHeader{std::string(reinterpret_cast<const char*>(bytes), 4), le::Read32(bytes + 4)};
}

bool SkipChunk(std::FILE* file, std::uint32_t size)
{
    return std::fseek(file, static_cast<long>(size) + static_cast<long>(size & 1U), SEEK_CUR) == 0;
}

std::uint64_t FileSize(std::FILE* file)
{
    const long here = std::ftell(file);
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return size < 0 ? 0 : static_cast<std::uint64_t>(size);
}

} // namespace

std::unique_ptr<GameStreamReader> GameStreamReader::open(const std::string& path)
{
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw StreamError("cannot open '" + path + "': " + std::strerror(errno));
    std::uint8_t riff[12];
    if (std::fread(riff, 1, sizeof riff, file.get()) != sizeof riff ||
        std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return nullptr;

    std::optional<ImaAdpcmLayout> layout;
    int sampleRate = 0;
    std::optional<std::uint32_t> factFrames;
    while (const auto chunk = ReadChunkHeader(file.get())) {
        if (chunk->id == "fmt ") {
            std::uint8_t format[16];
            if (chunk->size < sizeof format || std::fread(format, 1, sizeof format, file.get()) != sizeof format)
                return nullptr;
            if (le::Read16(format) != kImaAdpcmTag)
                return nullptr;
            layout = ImaAdpcmLayout{static_cast<int>(le::Read16(format + 2)), le::Read16(format + 12)};
            sampleRate = static_cast<int>(le::Read32(format + 4));
            if (!layout->valid() || sampleRate <= 0 || le::Read16(format + 14) != 4)
                throw StreamError("'" + path + "' uses an IMA ADPCM layout this decoder does not know");
            if (!SkipChunk(file.get(), chunk->size - static_cast<std::uint32_t>(sizeof format)))
                return nullptr;
        } else if (chunk->id == "fact" && chunk->size >= 4) {
            std::uint8_t count[4];
            if (std::fread(count, 1, sizeof count, file.get()) != sizeof count)
                return nullptr;
            factFrames = le::Read32(count);
            SkipChunk(file.get(), chunk->size - 4);
        } else if (chunk->id == "data") {
            if (!layout)
                return nullptr;
            const long dataStart = std::ftell(file.get());
            const std::uint64_t available = FileSize(file.get()) - static_cast<std::uint64_t>(dataStart);
            std::uint64_t dataBytes = chunk->size;
            if (chunk->size == 0 || chunk->size == kUnknownDataSize || dataBytes > available) {
                // A header that lies about its size: take the whole blocks the file holds,
                // never a trailing record as a cut block.
                dataBytes = available - available % layout->blockBytes;
            }
            const std::uint64_t wholeBlocks = dataBytes / layout->blockBytes;
            const std::uint64_t framesInData =
                wholeBlocks * layout->framesPerBlock() +
                layout->framesInBytes(static_cast<std::size_t>(dataBytes % layout->blockBytes));
            const std::uint64_t frames = factFrames ? std::min<std::uint64_t>(*factFrames, framesInData)
                                                    : framesInData;
            return std::unique_ptr<GameStreamReader>(new GameStreamReader(
                std::move(file), path, *layout, sampleRate, dataBytes, frames));
        } else if (!SkipChunk(file.get(), chunk->size)) {
            return nullptr;
        }
    }
    return nullptr;
}

GameStreamReader::GameStreamReader(File file, std::string path, ImaAdpcmLayout layout,
                                   int sampleRate, std::uint64_t dataBytes, std::uint64_t frames)
    : file_(std::move(file)), path_(std::move(path)), layout_(layout), decoder_(layout),
      sampleRate_(sampleRate), dataBytes_(dataBytes), frames_(frames), bytesLeft_(dataBytes),
      framesLeft_(frames), block_(layout.blockBytes),
      decoded_(layout.framesPerBlock() * static_cast<std::size_t>(layout.channels))
{
}

std::string GameStreamReader::formatName() const
{
    return "IMA ADPCM WAVE (" + std::to_string(layout_.blockBytes) + "-byte blocks)";
}

std::size_t GameStreamReader::read(std::int16_t* interleaved, std::size_t maxFrames)
{
    const auto channelCount = static_cast<std::size_t>(layout_.channels);
    std::size_t done = 0;
    while (done < maxFrames && framesLeft_ > 0) {
        if (decodedOffset_ == decodedEnd_) {
            const std::size_t wanted = maxFrames - done;
            if (wanted >= layout_.framesPerBlock() && framesLeft_ >= layout_.framesPerBlock()) {
                const std::size_t frames = decodeNextBlock(interleaved + done * channelCount);
                if (frames == 0)
                    break;
                done += frames;
                framesLeft_ -= frames;
                continue;
            }
            const std::size_t frames = decodeNextBlock(decoded_.data());
            if (frames == 0)
                break;
            decodedEnd_ = frames * channelCount;
            decodedOffset_ = 0;
        }
        const std::size_t available = (decodedEnd_ - decodedOffset_) / channelCount;
        const std::size_t taken = static_cast<std::size_t>(
            std::min<std::uint64_t>({available, maxFrames - done, framesLeft_}));
        std::copy_n(decoded_.data() + decodedOffset_, taken * channelCount,
                    interleaved + done * channelCount);
        decodedOffset_ += taken * channelCount;
        done += taken;
        framesLeft_ -= taken;
    }
    return done;
}

std::size_t GameStreamReader::decodeNextBlock(std::int16_t* frames)
{
    const auto bytes = static_cast<std::size_t>(std::min<std::uint64_t>(bytesLeft_, layout_.blockBytes));
    if (bytes == 0)
        return 0;
    if (std::fread(block_.data(), 1, bytes, file_.get()) != bytes)
        throw StreamError("cannot read '" + path_ + "': the file ends inside its audio");
    bytesLeft_ -= bytes;
    return decoder_.decodeBlock(block_.data(), bytes, frames);
}

} // namespace sonorelle
