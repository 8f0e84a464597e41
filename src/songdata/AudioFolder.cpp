#include "songdata/AudioFolder.h"

#include "songdata/TextFields.h"

#include <QDir>
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
    if (folder_.isEmpty())
        return {};
    const QString asGiven = folder_ + name;
    if (QFileInfo::exists(asGiven))
        return asGiven;
    const QString onDisk = entries().value(name.toCaseFolded());
    return onDisk.isEmpty() ? asGiven : folder_ + onDisk;
}

const QHash<QString, QString>& AudioFolder::entries() const
{
    if (!entries_) {
        entries_ = std::make_shared<QHash<QString, QString>>();
        const QStringList names =
            QDir(folder_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        for (const QString& name : names) {
            const QString folded = name.toCaseFolded();
            if (!entries_->contains(folded))
                entries_->insert(folded, name);
        }
    }
    return *entries_;
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
