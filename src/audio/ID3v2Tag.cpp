#include "audio/ID3v2Tag.h"

#include "audio/ID3v2Text.h"

#include <QByteArray>

#include <algorithm>
#include <array>

namespace sonorelle {

namespace {

constexpr std::uint8_t TagUnsynchronised = 0x80;
constexpr std::uint8_t TagHasExtendedHeader = 0x40;  // in version 2.2: the tag is compressed

constexpr std::uint8_t V3FrameCompressed = 0x80;
constexpr std::uint8_t V3FrameEncrypted = 0x40;
constexpr std::uint8_t V3FrameGrouped = 0x20;

constexpr std::uint8_t V4FrameGrouped = 0x40;
constexpr std::uint8_t V4FrameCompressed = 0x08;
constexpr std::uint8_t V4FrameEncrypted = 0x04;
constexpr std::uint8_t V4FrameUnsynchronised = 0x02;
constexpr std::uint8_t V4FrameHasDataLength = 0x01;

enum class Slot { Title, LeadArtist, OriginalArtist, Album, Year, RecordingTime, Comment, Count };

struct FrameId {
    const char* id;
    Slot slot;
};

constexpr std::array<FrameId, 6> V2Frames = {{{"TT2", Slot::Title},
                                              {"TP1", Slot::LeadArtist},
                                              {"TOA", Slot::OriginalArtist},
                                              {"TAL", Slot::Album},
                                              {"TYE", Slot::Year},
                                              {"COM", Slot::Comment}}};
constexpr std::array<FrameId, 6> V3V4Frames = {{{"TIT2", Slot::Title},
                                                {"TPE1", Slot::LeadArtist},
                                                {"TALB", Slot::Album},
                                                {"TYER", Slot::Year},
                                                {"TDRC", Slot::RecordingTime},
                                                {"COMM", Slot::Comment}}};

std::uint8_t Byte(QByteArrayView bytes, qsizetype at)
{
    return static_cast<std::uint8_t>(bytes[at]);
}

quint64 BigEndian(QByteArrayView bytes)
{
    quint64 value = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        value = (value << 8) | Byte(bytes, i);
    return value;
}

quint64 Syncsafe(QByteArrayView bytes)
{
    quint64 value = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        value = (value << 7) | (Byte(bytes, i) & 0x7Fu);
    return value;
}

// Unsynchronisation put a 0x00 after every 0xFF; take those out again.
QByteArray RemoveUnsynchronisation(QByteArrayView bytes)
{
    QByteArray plain;
    plain.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        plain.append(bytes[i]);
        if (Byte(bytes, i) == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == '\0')
            ++i;
    }
    return plain;
}

// A comment frame holds its encoding byte, a 3-byte language, a description ended by
// a terminator of the encoding's width, then the text: the encoding byte and the text
// as a text frame would hold them. Empty when the description has no end.
QByteArray CommentAsText(QByteArrayView data)
{
    constexpr qsizetype DescriptionStart = 4;
    if (data.size() < DescriptionStart)
        return {};
    const std::uint8_t encoding = Byte(data, 0);
    const qsizetype width = encoding == 1 || encoding == 2 ? 2 : 1;
    for (qsizetype at = DescriptionStart; at + width <= data.size(); at += width) {
        if (data[at] == '\0' && (width == 1 || data[at + 1] == '\0'))
            return data.first(1).toByteArray() + data.sliced(at + width).toByteArray();
    }
    return {};
}

bool IsFrameIdCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

// The first text of each slot, in the order the frames come.
class TakenTexts {
public:
    void takeFirst(Slot slot, const QString& text)
    {
        std::optional<QString>& taken = texts_[static_cast<std::size_t>(slot)];
        if (!taken)
            taken = text;
    }
    const std::optional<QString>& operator[](Slot slot) const { return texts_[static_cast<std::size_t>(slot)]; }

    void storeInto(Id3Values& values) const
    {
        store((*this)[Slot::Title], values.Id3Title);
        // Version 2.2 names the lead performer and, failing that, the original artist.
        const std::optional<QString>& lead = (*this)[Slot::LeadArtist];
        const std::optional<QString>& original = (*this)[Slot::OriginalArtist];
        store((!lead || lead->isEmpty()) && original ? original : lead, values.Id3Artist);
        store((*this)[Slot::Album], values.Id3Album);
        store((*this)[Slot::Comment], values.Id3Comment);
        // Version 2.4 keeps the year only as the start of the recording time ("2015-03-01").
        const std::optional<QString>& year = (*this)[Slot::Year];
        const std::optional<QString>& recordingTime = (*this)[Slot::RecordingTime];
        store((!year || year->isEmpty()) && recordingTime ? std::optional<QString>(recordingTime->left(4)) : year,
              values.Id3Year);
    }

private:
    static void store(const std::optional<QString>& text, QString& value)
    {
        if (text)
            value = *text;
    }

    std::array<std::optional<QString>, static_cast<std::size_t>(Slot::Count)> texts_;
};

class FrameWalker {
public:
    explicit FrameWalker(const ID3v2Header& header)
        : version_(header.majorVersion)
        , idLength_(version_ == 2 ? 3 : 4)
        , headerLength_(version_ == 2 ? 6 : 10)
        , allUnsynchronised_((header.flags & TagUnsynchronised) != 0)
    {
    }

    void walk(QByteArrayView frames, TakenTexts& taken) const
    {
        qsizetype pos = 0;
        while (frames.size() - pos >= headerLength_) {
            const QByteArrayView frameHeader = frames.sliced(pos, headerLength_);
            const QByteArrayView id = frameHeader.first(idLength_);
            if (!std::all_of(id.begin(), id.end(), IsFrameIdCharacter))
                return;  // padding, or garbage where a frame should start
            const quint64 size = frameSize(frameHeader);
            if (size > quint64(frames.size() - pos - headerLength_))
                return;  // a frame running past the tag
            const QByteArrayView data = frames.sliced(pos + headerLength_, qsizetype(size));
            if (const std::optional<Slot> slot = slotOf(id)) {
                if (const std::optional<QByteArray> content = contentOf(frameHeader, data)) {
                    const std::optional<QString> text =
                        DecodeID3v2Text(*slot == Slot::Comment ? CommentAsText(*content) : *content);
                    if (text)
                        taken.takeFirst(*slot, *text);
                }
            }
            pos += headerLength_ + qsizetype(size);
        }
    }

private:
    quint64 frameSize(QByteArrayView frameHeader) const
    {
        const QByteArrayView sizeBytes = frameHeader.sliced(idLength_, version_ == 2 ? 3 : 4);
        return version_ == 4 ? Syncsafe(sizeBytes) : BigEndian(sizeBytes);
    }

    std::optional<Slot> slotOf(QByteArrayView id) const
    {
        const auto find = [id](const auto& table) -> std::optional<Slot> {
            for (const FrameId& frame : table) {
                if (id == QByteArrayView(frame.id))
                    return frame.slot;
            }
            return std::nullopt;
        };
        return version_ == 2 ? find(V2Frames) : find(V3V4Frames);
    }

    // The frame's own bytes, without what the frame's format flags put before them.
    std::optional<QByteArray> contentOf(QByteArrayView frameHeader, QByteArrayView data) const
    {
        if (version_ == 2)
            return data.toByteArray();
        const std::uint8_t format = Byte(frameHeader, 9);
        return version_ == 3 ? v3Content(format, data) : v4Content(format, data);
    }

    // Encrypted or compressed text cannot be shown as it stands, whichever frame holds it.
    static std::optional<QByteArray> v3Content(std::uint8_t format, QByteArrayView data)
    {
        if (format & (V3FrameCompressed | V3FrameEncrypted))
            return std::nullopt;
        return skipped(data, (format & V3FrameGrouped) ? 1 : 0);
    }

    std::optional<QByteArray> v4Content(std::uint8_t format, QByteArrayView data) const
    {
        if (format & (V4FrameCompressed | V4FrameEncrypted))
            return std::nullopt;
        const qsizetype prefix = ((format & V4FrameGrouped) ? 1 : 0) + ((format & V4FrameHasDataLength) ? 4 : 0);
        if (allUnsynchronised_ || (format & V4FrameUnsynchronised))
            return skipped(RemoveUnsynchronisation(data), prefix);
        return skipped(data, prefix);
    }

    static QByteArray skipped(QByteArrayView data, qsizetype count)
    {
        return count < data.size() ? data.sliced(count).toByteArray() : QByteArray();
    }

    int version_;
    qsizetype idLength_;
    qsizetype headerLength_;
    bool allUnsynchronised_;
};

// Where the frames begin after an extended header; nullopt when it does not fit.
std::optional<qsizetype> FramesStart(QByteArrayView body, const ID3v2Header& header)
{
    if (header.majorVersion == 2 || !(header.flags & TagHasExtendedHeader))
        return 0;
    if (body.size() < 4)
        return std::nullopt;
    // Version 2.3 counts the size without its own four bytes, version 2.4 with them.
    const quint64 extendedLength =
        header.majorVersion == 3 ? 4 + BigEndian(body.first(4)) : Syncsafe(body.first(4));
    if (extendedLength > quint64(body.size()))
        return std::nullopt;
    return qsizetype(extendedLength);
}

}  // namespace

std::optional<ID3v2Header> ReadID3v2Header(QByteArrayView fileStart)
{
    if (fileStart.size() < ID3v2Header::Length || fileStart[1] != 'D' || fileStart[2] != '3')
        return std::nullopt;
    ID3v2Header header;
    header.majorVersion = Byte(fileStart, 3);
    if (header.majorVersion < 2 || header.majorVersion > 4)
        return std::nullopt;
    header.flags = Byte(fileStart, 5);
    header.bodySize = qint64(Syncsafe(fileStart.sliced(6, 4)));
    return header;
}

bool ParseID3v2Frames(QByteArrayView body, const ID3v2Header& header, Id3Values& values)
{
    if (header.majorVersion < 2 || header.majorVersion > 4)
        return false;
    if (header.majorVersion == 2 && (header.flags & TagHasExtendedHeader))
        return false;  // a compressed 2.2 tag has no defined compression

    // Before 2.4 unsynchronisation covers the whole body; in 2.4 each frame's data.
    QByteArray plainBody;
    if (header.majorVersion < 4 && (header.flags & TagUnsynchronised)) {
        plainBody = RemoveUnsynchronisation(body);
        body = plainBody;
    }

    TakenTexts taken;
    if (const std::optional<qsizetype> start = FramesStart(body, header))
        FrameWalker(header).walk(body.sliced(*start), taken);
    taken.storeInto(values);
    return true;
}

}  // namespace sonorelle
