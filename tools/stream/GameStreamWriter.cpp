#include "stream/GameStreamWriter.h"

#include "stream/LittleEndian.h"
#include "stream/StreamError.h"

#include <algorithm>
#include <limits>

namespace sonorelle {
namespace {

constexpr ImaAdpcmLayout kLayout = GameStreamFormat::layout();
constexpr std::size_t kChannels = GameStreamFormat::kChannels;
constexpr std::size_t kFramesPerBlock = kLayout.framesPerBlock();

} // namespace

GameStreamWriter::GameStreamWriter(const std::string& path)
    : file_(path), encoder_(kLayout), block_(kLayout.blockBytes)
{
    pending_.reserve(kFramesPerBlock * kChannels);
    const auto placeholder = header(0);
    file_.write(placeholder.data(), placeholder.size());
}

void GameStreamWriter::write(const std::int16_t* frames, std::size_t frameCount)
{
    frames_ += frameCount;
    if (!pending_.empty()) {
        const std::size_t wanted = kFramesPerBlock - pending_.size() / kChannels;
        const std::size_t taken = std::min(wanted, frameCount);
        pending_.insert(pending_.end(), frames, frames + taken * kChannels);
        frames += taken * kChannels;
        frameCount -= taken;
        if (pending_.size() < kFramesPerBlock * kChannels)
            return;
        encodeBlock(pending_.data());
        pending_.clear();
    }
    for (; frameCount >= kFramesPerBlock; frameCount -= kFramesPerBlock) {
        encodeBlock(frames);
        frames += kFramesPerBlock * kChannels;
    }
    pending_.assign(frames, frames + frameCount * kChannels);
}

void GameStreamWriter::finish()
{
    if (!pending_.empty()) {
        pending_.resize(kFramesPerBlock * kChannels, 0);
        encodeBlock(pending_.data());
        pending_.clear();
    }
    if (dataBytes_ > std::numeric_limits<std::uint32_t>::max() - 60)
        throw StreamError("stream too long for a WAVE file: '" + file_.finalPath() + "'");
    const auto finalHeader = header(static_cast<std::uint32_t>(dataBytes_));
    file_.writeAt(0, finalHeader.data(), finalHeader.size());
    file_.commit();
}

void GameStreamWriter::writeFile(const std::string& path, std::span<const std::int16_t> interleaved)
{
    GameStreamWriter writer(path);
    writer.write(interleaved.data(), interleaved.size() / kChannels);
    writer.finish();
}

void GameStreamWriter::encodeBlock(const std::int16_t* frames)
{
    encoder_.encodeBlock(frames, block_.data());
    file_.write(block_.data(), block_.size());
    dataBytes_ += block_.size();
}

std::vector<std::uint8_t> GameStreamWriter::header(std::uint32_t dataBytes) const
{
    constexpr std::uint32_t kFormatBytes = 20;
    constexpr std::uint32_t kHeaderBytes = 60;
    const auto frameCount = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(frames_, std::numeric_limits<std::uint32_t>::max()));
    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytes);
    le::AppendTag(out, "RIFF");
    le::Append32(out, kHeaderBytes - 8 + dataBytes);
    le::AppendTag(out, "WAVE");
    le::AppendTag(out, "fmt ");
    le::Append32(out, kFormatBytes);
    le::Append16(out, 0x0011);
    le::Append16(out, GameStreamFormat::kChannels);
    le::Append32(out, GameStreamFormat::kSampleRate);
    le::Append32(out, static_cast<std::uint32_t>(GameStreamFormat::kSampleRate * kLayout.blockBytes /
                                                 kFramesPerBlock));
    le::Append16(out, static_cast<std::uint32_t>(kLayout.blockBytes));
    le::Append16(out, 4);
    le::Append16(out, 2);
    le::Append16(out, static_cast<std::uint32_t>(kFramesPerBlock));
    le::AppendTag(out, "fact");
    le::Append32(out, 4);
    le::Append32(out, frameCount);
    le::AppendTag(out, "data");
    le::Append32(out, dataBytes);
    return out;
}

} // namespace sonorelle
