#include "adding/clsM3UReader.h"

#include "adding/M3uPlaylist.h"
#include "adding/PlaylistFormat.h"
#include "adding/PlaylistPathResolver.h"
#include "adding/PlsPlaylist.h"
#include "adding/XspfPlaylist.h"

#include <QFile>
#include <QFileInfo>

namespace sonorelle {

namespace {

// Far beyond any list of songs; a larger file is not a playlist.
constexpr qint64 MaxPlaylistBytes = 64 * 1024 * 1024;

}  // namespace

clsM3UReader::clsM3UReader(QString winePrefix, PlaylistTextDecoder fallbackDecoder)
    : winePrefix_(std::move(winePrefix)), fallbackDecoder_(std::move(fallbackDecoder))
{
}

void clsM3UReader::setFilename(const QString& path)
{
    path_ = path;
}

QString clsM3UReader::Filename() const
{
    return path_;
}

int clsM3UReader::Refresh()
{
    entries_.clear();
    readError_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        readError_ = file.errorString();
        return 0;
    }
    if (file.size() > MaxPlaylistBytes) {
        readError_ = QStringLiteral("the file is larger than %1 MiB").arg(MaxPlaylistBytes / (1024 * 1024));
        return 0;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        readError_ = file.errorString();
        return 0;
    }
    const PlaylistPathResolver paths(QFileInfo(path_).absolutePath(), winePrefix_);
    const bool utf8ByName = path_.endsWith(QStringLiteral(".m3u8"), Qt::CaseInsensitive);
    const QString text = DecodePlaylistText(bytes, utf8ByName, fallbackDecoder_);
    switch (SniffPlaylistFormat(text)) {
    case PlaylistFormat::Pls:
        entries_ = ParsePlsPlaylist(text, paths);
        break;
    case PlaylistFormat::Xspf:
        entries_ = ParseXspfPlaylist(bytes, paths, &readError_);
        break;
    case PlaylistFormat::M3u:
        entries_ = ParseM3uPlaylist(text, paths);
        break;
    }
    return Count();
}

int clsM3UReader::Count() const
{
    return int(entries_.size());
}

QString clsM3UReader::File(int index) const
{
    const PlaylistEntry* entry = entryAt(index);
    return entry ? entry->file : QString();
}

QString clsM3UReader::FileTitle(int index) const
{
    const PlaylistEntry* entry = entryAt(index);
    return entry ? entry->title : QString();
}

int clsM3UReader::FileSeconds(int index) const
{
    const PlaylistEntry* entry = entryAt(index);
    return entry ? entry->seconds : 0;
}

QString clsM3UReader::ReadError() const
{
    return readError_;
}

const PlaylistEntry* clsM3UReader::entryAt(int index) const
{
    return index >= 0 && index < entries_.size() ? &entries_[index] : nullptr;
}

}  // namespace sonorelle
