#include "songdata/AudioFolder.h"

#include "songdata/TextFields.h"

#include <QFileInfo>

namespace sonorelle {

AudioFolder::AudioFolder(QString folder)
    : folder_(std::move(folder))
{
    if (!folder_.isEmpty() && !folder_.endsWith(u'/'))
        folder_ += u'/';
}

QString AudioFolder::songListPath() const
{
    return filePath(QStringLiteral("songlist.bin"));
}

QString AudioFolder::archivePath() const
{
    return filePath(QStringLiteral("audio.big"));
}

QString AudioFolder::filePath(const QString& name) const
{
    return folder_.isEmpty() ? QString() : folder_ + name;
}

QString AudioFolder::streamPath(const QString& streamName) const
{
    const QString name = TrimBlanks(streamName);
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\'))
        return {};
    return filePath(name + QStringLiteral(".sng"));
}

bool AudioFolder::hasStream(const QString& streamName) const
{
    const QString path = streamPath(streamName);
    return !path.isEmpty() && QFileInfo(path).isFile();
}

}  // namespace sonorelle
