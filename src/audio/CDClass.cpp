#include "audio/CDClass.h"

#include "app/Feedback.h"
#include "audio/PreviewPlayer.h"
#include "platform/CdDisc.h"
#include "platform/CdTrackDevice.h"

namespace sonorelle {

namespace {

// A track that keeps its disc open for as long as the player reads it.
class PlayedTrack : public CdTrackDevice {
public:
    PlayedTrack(std::shared_ptr<CdDisc> disc, const CdTocTrack& track)
        : CdTrackDevice(*disc, track.start, track.end)
        , disc_(std::move(disc))
    {
    }

private:
    std::shared_ptr<CdDisc> disc_;
};

}  // namespace

CDClass::CDClass(Feedback& feedback, PreviewPlayer& preview)
    : feedback_(feedback)
    , preview_(preview)
{
}

CDClass::~CDClass() = default;

void CDClass::startCD(const CdUnit& unit)
{
    // The disc may have been changed since: its table of contents is read anew.
    closeAll();
    unit_ = unit;
}

void CDClass::setTrack(int track)
{
    stopCD();
    QString error;
    if (!unit_)
        error = QStringLiteral("No CD is chosen: pick the CD unit in the drive list first.");
    else if (!disc_)
        disc_ = CdDisc::OpenCD(*unit_, &error);
    if (!disc_) {
        feedback_.message(error, QStringLiteral("Sonorelle"), MessageIcon::Critical);
        return;
    }
    const CdTocTrack* entry = disc_->toc().track(track);
    if (!entry || !entry->isAudio) {
        feedback_.message(QStringLiteral("%1 has no audio track %2.").arg(disc_->name()).arg(track),
                          QStringLiteral("Sonorelle"), MessageIcon::Critical);
        return;
    }
    auto device = std::make_unique<PlayedTrack>(disc_, *entry);
    device->open(QIODevice::ReadOnly);
    preview_.playStream(std::move(device));
}

void CDClass::stopCD()
{
    preview_.stopStream();
}

void CDClass::closeAll()
{
    stopCD();
    disc_.reset();
    unit_.reset();
}

}  // namespace sonorelle
