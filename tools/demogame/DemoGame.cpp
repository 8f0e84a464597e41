#include "demogame/DemoGame.h"

#include "platform/FileReplace.h"
#include "platform/ToolRunner.h"
#include "songdata/SongListFile.h"
#include "stream/GameStreamWriter.h"
#include "stream/ToneGenerator.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <system_error>
#include <vector>

namespace sonorelle {

namespace {

constexpr int SampleRate = 44100;
constexpr int Channels = 2;
constexpr double NoteSeconds = 0.4;
constexpr double FadeSeconds = 0.02;
constexpr double Amplitude = 0.35;

const QString GameFolderInPrefix = QStringLiteral("drive_c/Program Files/Ostravel/Kickvale 09/");

// Root, major third, fifth, octave, over and over: a plain arpeggio with soft edges
// on every note, so it sounds like a tune and not a test tone.
std::vector<std::int16_t> arpeggio(double rootHz, double seconds)
{
    static constexpr std::array<double, 4> Steps = {1.0, 5.0 / 4.0, 3.0 / 2.0, 2.0};
    const auto totalFrames = static_cast<std::size_t>(seconds * SampleRate);
    const auto noteFrames = static_cast<std::size_t>(NoteSeconds * SampleRate);
    const auto fadeFrames = static_cast<std::size_t>(FadeSeconds * SampleRate);
    std::vector<std::int16_t> samples;
    samples.reserve(totalFrames * Channels);
    for (std::size_t note = 0; samples.size() < totalFrames * Channels; ++note) {
        const std::size_t frames = std::min(noteFrames, totalFrames - samples.size() / Channels);
        ToneGenerator tone(rootHz * Steps.at(note % Steps.size()), SampleRate, Channels, Amplitude);
        std::vector<std::int16_t> part = tone.frames(frames);
        for (std::size_t frame = 0; frame < frames; ++frame) {
            const std::size_t edge = std::min(frame, frames - 1 - frame);
            const double gain =
                edge >= fadeFrames ? 1.0
                                   : 0.5 - 0.5 * std::cos(std::numbers::pi * static_cast<double>(edge) / fadeFrames);
            for (int channel = 0; channel < Channels; ++channel) {
                std::int16_t& sample = part[frame * Channels + channel];
                sample = static_cast<std::int16_t>(std::lround(sample * gain));
            }
        }
        samples.insert(samples.end(), part.begin(), part.end());
    }
    return samples;
}

bool makeFolder(const QString& path, QString* error)
{
    if (QDir().mkpath(path))
        return true;
    *error = QStringLiteral("cannot create the folder %1").arg(path);
    return false;
}

bool writeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    return ReplaceFileAtomically(path, bytes, error);
}

}  // namespace

DemoGame::DemoGame(QString root)
    : root_(std::move(root))
{
}

QList<DemoSong> DemoGame::fillerSongs(int count, const std::function<QString(int)>& streamName)
{
    QList<DemoSong> songs;
    for (int i = 0; i < count; ++i) {
        DemoSong song;
        song.streamName = streamName(i);
        song.artist = QStringLiteral("Artist %1").arg(i);
        song.title = QStringLiteral("Title %1").arg(i);
        song.album = QStringLiteral("Album");
        song.fillerBytes = 64 * 1024;
        songs.append(song);
    }
    return songs;
}

QList<DemoSong> DemoGame::defaultSongs()
{
    const auto song = [](int number, const char* artist, const char* title, const char* album, double rootHz) {
        DemoSong demo;
        demo.streamName = QStringLiteral("s7%1").arg(number, 2, 10, QLatin1Char('0'));
        demo.artist = QString::fromUtf8(artist);
        demo.title = QString::fromUtf8(title);
        demo.album = QString::fromUtf8(album);
        demo.rootHz = rootHz;
        return demo;
    };
    return {
        song(0, "Harbour Lanterns", "Morning on the Quay", "Saltwater Letters", 261.63),
        song(1, "Marigold Avenue", "Second Half Sunrise", "Floodlight Summer", 293.66),
        song(2, "Velvet Compass", "Northbound Evening", "Maps and Murmurs", 329.63),
        song(3, "Juniper Static", "Glass Stadium", "Echo Terrace", 349.23),
        song(4, "Sølvfjord Ensemble", "Run the Wing", "Open Play", 392.00),
        song(5, "Cobalt Orchard", "Last Whistle Waltz", "Nightside Anthems", 440.00),
    };
}

QString DemoGame::winePrefix() const
{
    return root_ + QStringLiteral("/wine");
}

QString DemoGame::gameDir() const
{
    return winePrefix() + u'/' + GameFolderInPrefix;
}

QString DemoGame::audioDir() const
{
    return gameDir() + QStringLiteral("data/audio/");
}

QString DemoGame::installDirForWindows()
{
    return QStringLiteral("C:\\Program Files\\Ostravel\\Kickvale 09");
}

QByteArray DemoGame::songListBytes(const QList<DemoSong>& songs)
{
    QList<SongListRecord> records;
    for (const DemoSong& song : songs) {
        if (!song.listed)
            continue;
        SongListRecord record;
        record.streamName = song.streamName;
        record.artist = song.artist;
        record.title = song.title;
        record.album = song.album;
        records.append(record);
    }
    return SongListFile::encode(records);
}

bool DemoGame::writeStream(const QString& path, const DemoSong& song, QString* error)
{
    if (song.fillerBytes >= 0) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.resize(song.fillerBytes))
            return true;
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    try {
        GameStreamWriter::writeFile(QFile::encodeName(path).toStdString(), arpeggio(song.rootHz, song.seconds));
    } catch (const std::exception& failure) {
        *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(failure.what()));
        return false;
    }
    return true;
}

bool DemoGame::createArchive(const QString& toolDir, const QString& archive, const QStringList& members,
                             QString* error)
{
    const RunResult run =
        RunAndWait(toolDir + QStringLiteral("/addon2"), QStringList{QStringLiteral("-c"), archive} + members,
                   WindowStyle::Hidden, -1);
    if (run.succeeded())
        return true;
    *error = QStringLiteral("addon2 -c %1 failed (exit code %2) %3").arg(archive).arg(run.exitCode).arg(run.error);
    return false;
}

bool DemoGame::create(const Options& options, QString* error) const
{
    if (QFileInfo::exists(winePrefix())) {
        *error = QStringLiteral("%1 already exists").arg(winePrefix());
        return false;
    }
    if (!writeWinePrefix(error) || !makeFolder(audioDir(), error)
        || !writeFile(gameDir() + QStringLiteral("kickvale09.exe"), {}, error))
        return false;
    for (const DemoSong& song : options.songs) {
        if (!writeStream(audioDir() + song.streamName + QStringLiteral(".sng"), song, error))
            return false;
    }
    const QString songList = audioDir() + QStringLiteral("songlist.bin");
    if (!writeFile(songList, songListBytes(options.songs), error)
        || !createArchive(options.toolDir, audioDir() + QStringLiteral("audio.big"), {songList}, error))
        return false;
    if (!options.looseSongList && !QFile::remove(songList)) {
        *error = QStringLiteral("cannot remove %1").arg(songList);
        return false;
    }
    return true;
}

bool DemoGame::writeWinePrefix(QString* error) const
{
    if (!makeFolder(gameDir(), error) || !makeFolder(winePrefix() + QStringLiteral("/dosdevices"), error))
        return false;
    std::error_code failure;
    std::filesystem::create_symlink("../drive_c", QFile::encodeName(winePrefix() + QStringLiteral("/dosdevices/c:")).toStdString(),
                                    failure);
    if (failure) {
        *error = QStringLiteral("cannot link dosdevices/c: (%1)").arg(QString::fromStdString(failure.message()));
        return false;
    }
    // Wine writes keys relative to the hive with every backslash doubled.
    QString installDir = installDirForWindows();
    installDir.replace(u'\\', QStringLiteral("\\\\"));
    const QString systemReg = QStringLiteral("WINE REGISTRY Version 2\n"
                                             ";; All keys relative to \\\\Machine\n"
                                             "\n"
                                             "#arch=win64\n"
                                             "\n"
                                             "[Software\\\\Wow6432Node\\\\Ostravel\\\\Kickvale 09] 1700000000\n"
                                             "\"Install Dir\"=\"%1\"\n")
                                  .arg(installDir);
    return writeFile(winePrefix() + QStringLiteral("/system.reg"), systemReg.toUtf8(), error);
}

}  // namespace sonorelle
