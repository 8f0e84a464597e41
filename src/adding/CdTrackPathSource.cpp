#include "adding/CdTrackPathSource.h"

#include "adding/DiscTrackSource.h"
#include "app/CdUnitList.h"

#include <QFileInfo>

namespace sonorelle {

namespace {

bool IsSameFile(const QString& one, const QString& other)
{
    if (one == other)
        return true;
    // A drive is often named through a link: /dev/cdrom for /dev/sr0.
    const QString canonical = QFileInfo(one).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}

}  // namespace

CdTrackPathSource::CdTrackPathSource(const CdUnitList& units)
    : units_(units)
{
}

CdTrackPathSource::~CdTrackPathSource() = default;

std::optional<CdUnit> CdTrackPathSource::unitOf(const QString& trackPath, const CdUnitList& units, QString* error)
{
    if (!trackPath.contains(u'/')) {
        if (const CdUnit* chosen = units.selected(); chosen && !chosen->isPlaceholder())
            return *chosen;
        *error = QStringLiteral("no CD unit is chosen for ripping; choose one in the Setup");
        return std::nullopt;
    }
    const QFileInfo folder(QFileInfo(trackPath).path());
    for (const CdUnit& unit : units.units()) {
        if (!unit.isPlaceholder() && IsSameFile(unit.source, folder.filePath()))
            return unit;
    }
    static const QStringList imageSuffixes{QStringLiteral("cue"), QStringLiteral("toc"), QStringLiteral("nrg")};
    if (folder.isFile() && imageSuffixes.contains(folder.suffix().toLower())) {
        const QString image = folder.absoluteFilePath();
        return CdUnit{folder.fileName(), image, true, DiscImageProblem(image)};
    }
    *error = QStringLiteral("%1 is neither a CD drive nor a disc image (.cue, .toc, .nrg)").arg(folder.filePath());
    return std::nullopt;
}

CdTrackSource::Outcome CdTrackPathSource::ripTrack(const QString& track, const QString& wavPath, Feedback& feedback,
                                                   QString* error, SourceTags* tags)
{
    const std::optional<CdUnit> unit = unitOf(track, units_, error);
    if (!unit)
        return Outcome::Failed;
    std::unique_ptr<DiscTrackSource>& disc = discs_[unit->source];
    if (!disc)
        disc = std::make_unique<DiscTrackSource>(&*unit);
    return disc->ripTrack(track, wavPath, feedback, error, tags);
}

}  // namespace sonorelle
