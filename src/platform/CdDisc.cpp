#include "platform/CdDisc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <cdio/cdio.h>
#include <cdio/cdtext.h>
#include <cdio/disc.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>
#include <cdio/track.h>

#include <cstdio>
#include <cstring>

namespace sonorelle {

namespace {

// Retries paranoia spends on one sector before it gives up; without this bound a
// scratched disc could keep the rip busy for ever.
constexpr int MaxRetriesPerSector = 20;

// A later session starts this many frames after the end of the audio session: the
// lead-out (6750), the next lead-in (4500) and the first pregap (150) lie between.
constexpr qint32 SessionGapFrames = 11400;

// Paranoia's callback carries no context; reads happen on one thread at a time.
thread_local bool paranoiaSkipped = false;

void noteParanoiaEvent(long int /*position*/, paranoia_cb_mode_t event)
{
    if (event == PARANOIA_CB_SKIP)
        paranoiaSkipped = true;
}

driver_id_t imageDriver(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"cue")
        return DRIVER_BINCUE;
    if (suffix == u"toc")
        return DRIVER_CDRDAO;
    if (suffix == u"nrg")
        return DRIVER_NRG;
    return DRIVER_UNKNOWN;
}

// libcdio takes the text of a cue sheet as Latin-1; cue sheets written today are
// mostly UTF-8, which would come out as "CafÃ©". Text that reads back as valid UTF-8
// is taken as such.
QString cueText(const char* text)
{
    const QString latin = QString::fromUtf8(text);
    for (const QChar c : latin) {
        if (c.unicode() > 0xFF)
            return latin;
    }
    const QByteArray bytes = latin.toLatin1();
    QString utf8 = QString::fromUtf8(bytes);
    return utf8.contains(QChar::ReplacementCharacter) ? latin : utf8;
}

// libcdio prints its warnings on stdout, which is sonorelle-cli's output.
void logOnStderr(cdio_log_level_t level, const char* message)
{
    if (level >= cdio_loglevel_default)
        std::fprintf(stderr, "libcdio: %s\n", message);
}

}  // namespace

struct CdDisc::Handles {
    CdIo_t* cd = nullptr;
    cdrom_drive_t* drive = nullptr;
    cdrom_paranoia_t* paranoia = nullptr;
    qint32 nextParanoiaFrame = -1;  // where paranoia's cursor stands, -1 unknown

    ~Handles()
    {
        if (paranoia != nullptr)
            cdio_paranoia_free(paranoia);
        if (drive != nullptr)
            cdio_cddap_close_no_free_cdio(drive);
        if (cd != nullptr)
            cdio_destroy(cd);
    }
};

std::unique_ptr<CdDisc> CdDisc::OpenCD(const CdUnit& unit, QString* error)
{
    cdio_log_set_handler(logOnStderr);
    if (unit.isPlaceholder()) {
        *error = QStringLiteral("There is no CD drive or disc image to read from.");
        return nullptr;
    }
    if (unit.isImage) {
        const QString problem = DiscImageProblem(unit.source);
        if (!problem.isEmpty()) {
            *error = problem;
            return nullptr;
        }
    }
    auto handles = std::make_unique<Handles>();
    const QByteArray source = QFile::encodeName(QFileInfo(unit.source).absoluteFilePath());
    const driver_id_t driver = unit.isImage ? imageDriver(unit.source) : DRIVER_DEVICE;
    if (driver == DRIVER_CDRDAO) {
        // libcdio opens the data files a TOC file names relative to the current folder,
        // not to the TOC file's; it opens them while parsing.
        const QString previous = QDir::currentPath();
        QDir::setCurrent(QFileInfo(unit.source).absolutePath());
        handles->cd = cdio_open(source.constData(), driver);
        QDir::setCurrent(previous);
    } else {
        handles->cd = cdio_open(source.constData(), driver);
    }
    if (handles->cd == nullptr) {
        *error = unit.isImage
                     ? QStringLiteral("The disc image %1 could not be opened: it is not a cue sheet, cdrdao TOC "
                                      "file or Nero image that can be read, or a file it names is missing.")
                           .arg(unit.source)
                     : QStringLiteral("The CD drive %1 could not be opened.").arg(unit.source);
        return nullptr;
    }
    std::unique_ptr<CdDisc> disc(new CdDisc(unit, std::move(handles)));
    CdIo_t* cd = disc->handles_->cd;
    const track_t first = cdio_get_first_track_num(cd);
    const track_t count = cdio_get_num_tracks(cd);
    if (first == CDIO_INVALID_TRACK || count == CDIO_INVALID_TRACK || count == 0) {
        *error = unit.isImage ? QStringLiteral("The disc image %1 has no table of contents that can be read.")
                                    .arg(unit.source)
                              : QStringLiteral("There is no disc in %1.").arg(disc->name());
        return nullptr;
    }

    CdToc& toc = disc->toc_;
    toc.firstTrack = first;
    toc.lastTrack = first + count - 1;
    toc.leadOut = cdio_get_track_lsn(cd, CDIO_CDROM_LEADOUT_TRACK);
    for (int number = toc.firstTrack; number <= toc.lastTrack; ++number) {
        const auto track = static_cast<track_t>(number);
        toc.tracks.append(CdTocTrack{number, cdio_get_track_lsn(cd, track), 0,
                                     cdio_get_track_format(cd, track) == TRACK_FORMAT_AUDIO});
    }
    lsn_t lastSession = 0;
    const bool multiSession = !unit.isImage && cdio_get_last_session(cd, &lastSession) == DRIVER_OP_SUCCESS;
    for (qsizetype i = 0; i < toc.tracks.size(); ++i) {
        CdTocTrack& track = toc.tracks[i];
        qint32 end = toc.TrackLBA(i + 1);
        // The audio session of an enhanced CD ends well before its data session starts.
        if (multiSession && lastSession > 0 && end == lastSession && i + 1 < toc.tracks.size() && track.isAudio
            && !toc.tracks.at(i + 1).isAudio)
            end -= SessionGapFrames;
        // An image whose data file is shorter than its cue sheet has tracks past its
        // lead-out; they read as empty rather than backwards.
        track.end = qMax(track.start, end);
    }

    disc->texts_.resize(toc.lastTrack + 1);
    if (cdtext_t* text = cdio_get_cdtext(cd)) {
        const bool fromCue = driver == DRIVER_BINCUE;
        for (int number = 0; number <= toc.lastTrack; ++number) {
            auto field = [&](cdtext_field_t which) {
                const char* value = cdtext_get_const(text, which, static_cast<track_t>(number));
                if (value == nullptr)
                    return QString();
                return fromCue ? cueText(value) : QString::fromUtf8(value);
            };
            disc->texts_[number] = CdTextEntry{field(CDTEXT_FIELD_TITLE), field(CDTEXT_FIELD_PERFORMER)};
        }
    }
    return disc;
}

CdDisc::CdDisc(const CdUnit& unit, std::unique_ptr<Handles> handles)
    : unit_(unit)
    , handles_(std::move(handles))
{
}

CdDisc::~CdDisc() = default;

CdTextEntry CdDisc::cdText(int track) const
{
    return texts_.value(track);
}

QString CdDisc::name() const
{
    if (unit_.isImage)
        return QStringLiteral("the disc image %1").arg(unit_.source);
    return QStringLiteral("the CD drive %1 (%2)").arg(unit_.label, unit_.source);
}

bool CdDisc::readFrames(qint32 first, int count, char* buffer, QString* error)
{
    if (count <= 0)
        return true;
    if (first < 0 || first + count > toc_.leadOut) {
        const qint32 outside = first < 0 ? first : qMax(first, toc_.leadOut);
        *error = QStringLiteral("Could not read sector %1 of %2: the disc ends at sector %3.")
                     .arg(outside)
                     .arg(name())
                     .arg(toc_.leadOut - 1);
        if (unit_.isImage)
            *error += QStringLiteral(" The image's data file is shorter than its table of contents says.");
        return false;
    }
    return unit_.isImage ? readImageFrames(first, count, buffer, error)
                         : readDriveFrames(first, count, buffer, error);
}

bool CdDisc::readImageFrames(qint32 first, int count, char* buffer, QString* error)
{
    if (cdio_read_audio_sectors(handles_->cd, buffer, first, static_cast<uint32_t>(count)) == DRIVER_OP_SUCCESS)
        return true;
    *error = QStringLiteral("Could not read sectors %1 to %2 of %3: its data file could not be read there.")
                 .arg(first)
                 .arg(first + count - 1)
                 .arg(name());
    return false;
}

bool CdDisc::readDriveFrames(qint32 first, int count, char* buffer, QString* error)
{
    Handles& h = *handles_;
    if (h.paranoia == nullptr) {
        h.drive = cdio_cddap_identify_cdio(h.cd, CDDA_MESSAGE_FORGETIT, nullptr);
        if (h.drive == nullptr || cdio_cddap_open(h.drive) != 0) {
            *error = QStringLiteral("Could not read audio from %1: the drive does not answer audio reads.").arg(name());
            return false;
        }
        h.paranoia = cdio_paranoia_init(h.drive);
        cdio_paranoia_modeset(h.paranoia, PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
    }
    if (h.nextParanoiaFrame != first)
        cdio_paranoia_seek(h.paranoia, first, SEEK_SET);
    h.nextParanoiaFrame = -1;
    for (int i = 0; i < count; ++i) {
        paranoiaSkipped = false;
        const int16_t* samples = cdio_paranoia_read_limited(h.paranoia, &noteParanoiaEvent, MaxRetriesPerSector);
        if (samples == nullptr || paranoiaSkipped) {
            *error = QStringLiteral("Could not read sector %1 of %2: the drive gave no reliable audio after %3 "
                                    "tries (the disc may be scratched or dirty).")
                         .arg(first + i)
                         .arg(name())
                         .arg(MaxRetriesPerSector);
            return false;
        }
        char* frame = buffer + qsizetype(i) * CdFrameBytes;
        std::memcpy(frame, samples, CdFrameBytes);
        // Paranoia hands samples in the machine's byte order; WAV wants little-endian.
        if constexpr (QSysInfo::ByteOrder == QSysInfo::BigEndian) {
            for (int byte = 0; byte < CdFrameBytes; byte += 2)
                std::swap(frame[byte], frame[byte + 1]);
        }
    }
    h.nextParanoiaFrame = first + count;
    return true;
}

}  // namespace sonorelle
