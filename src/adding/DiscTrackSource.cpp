#include "adding/DiscTrackSource.h"

#include "adding/SourceTags.h"
#include "audio/RipTrack.h"
#include "platform/CdDisc.h"
#include "platform/CdTrackListing.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace sonorelle {

DiscTrackSource::DiscTrackSource(const CdUnit* unit)
{
    if (unit)
        unit_ = *unit;
}

DiscTrackSource::~DiscTrackSource() = default;

CdDisc* DiscTrackSource::disc(QString* error)
{
    if (disc_)
        return disc_.get();
    if (!unit_ || unit_->isPlaceholder()) {
        *error = QStringLiteral("no CD unit is chosen for ripping; choose one in the Setup");
        return nullptr;
    }
    disc_ = CdDisc::OpenCD(*unit_, error);
    return disc_.get();
}

int DiscTrackSource::trackNumberOf(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^track(\\d{1,2})\\.cda$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(QFileInfo(name).fileName());
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

CdTrackSource::Outcome DiscTrackSource::ripTrack(const QString& track, const QString& wavPath, Feedback& feedback,
                                                 QString* error, SourceTags* tags)
{
    const int number = trackNumberOf(track);
    if (number == 0) {
        *error = QStringLiteral("%1 does not name a CD track").arg(QFileInfo(track).fileName());
        return Outcome::Failed;
    }
    CdDisc* open = disc(error);
    if (!open)
        return Outcome::Failed;
    const OperationResult ripped = RipTrack::ofTrack(*open, number, wavPath).run(feedback);
    switch (ripped.outcome) {
    case OperationResult::Outcome::Done:
        break;
    case OperationResult::Outcome::Cancelled:
        return Outcome::Cancelled;
    default:
        *error = ripped.problems.value(0, ripped.summary);
        return Outcome::Failed;
    }
    if (tags) {
        const CdTextEntry text = open->cdText(number);
        *tags = SourceTags{};
        tags->title = text.title;
        tags->artist = text.performer;
        if (!tags->title.isEmpty() || !tags->artist.isEmpty())
            tags->album = open->cdText(0).title;
    }
    return Outcome::Ripped;
}

}  // namespace sonorelle
