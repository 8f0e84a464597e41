#include "songdata/FirstRun.h"

#include "platform/Registry.h"
#include "songdata/AudioFolder.h"
#include "songdata/ShippedSoundtrack.h"
#include "songdata/SongListFile.h"
#include "songdata/TagRecordFile.h"

#include <QFileInfo>
#include <QHash>

namespace sonorelle {

namespace {

QHash<QString, SongListRecord> recordsByStream(const AudioFolder& folder)
{
    QHash<QString, SongListRecord> records;
    for (const SongListRecord& record : SongListFile::read(folder.songListPath())) {
        const QString name = record.streamName.toLower();
        if (!records.contains(name))
            records.insert(name, record);
    }
    return records;
}

}  // namespace

QString SettingsKey()
{
    return QStringLiteral("SOFTWARE\\Corvitane\\Sonorelle");
}

QString FirstRunValueName()
{
    return QStringLiteral("FirstRun");
}

int FirstRun(const AudioFolder& folder, TagRecord& StrTg, Registry& registry, const CodePage& codePage)
{
    const QHash<QString, SongListRecord> records = recordsByStream(folder);
    int tagged = 0;
    for (int row = 0; row < ShippedSoundtrack::Count; ++row) {
        const QString name = ShippedSoundtrack::streamName(row);
        const QString path = folder.streamPath(name);
        const QFileInfo file(path);
        const auto record = records.constFind(name);
        if (record == records.cend() || !file.isFile() || file.size() != ShippedSoundtrack::Lengths.at(row))
            continue;
        StrTg = TagRecord::forSlot(record->title.toUpper(), record->artist.toUpper(), ShippedSoundtrack::album(),
                                   ShippedSoundtrack::year(), ShippedSoundtrack::comment());
        // The file has its untagged length, so its last bytes are audio whatever they read.
        const std::optional<QByteArray> bytes = StrTg.toBytes(codePage);
        QString error;
        if (bytes && TagRecordFile::write(path, *bytes, TagRecordFile::Placement::Append, &error))
            ++tagged;
    }
    registry.WriteRegValue(Hive::LocalMachine, SettingsKey(), FirstRunValueName(), QStringLiteral("1"));
    return tagged;
}

}  // namespace sonorelle
