#include "platform/KeyLineTargets.h"

#include "platform/RegFile.h"
#include "platform/RegKeyLine.h"

#include <optional>

namespace sonorelle {

KeyLineTargets::KeyLineTargets(const QStringList& normalizedPaths)
{
    for (const QString& path : normalizedPaths) {
        folded_.append(path.toCaseFolded());
        ascii_.append(AsciiKeyTarget(path));
    }
}

qsizetype KeyLineTargets::indexOf(QByteArrayView keyLine) const
{
    std::optional<QString> folded;
    for (qsizetype i = 0; i < folded_.size(); ++i) {
        const KeyMatch quick = ascii_[i].isEmpty() ? KeyMatch::Unsure : QuickKeyMatch(keyLine, ascii_[i]);
        if (quick == KeyMatch::Unsure && !folded) {
            const std::optional<QString> path = RegFile::keyPathOfLine(keyLine);
            folded = path ? path->toCaseFolded() : QString();
        }
        if (quick == KeyMatch::Yes || (quick == KeyMatch::Unsure && *folded == folded_[i]))
            return i;
    }
    return -1;
}

}  // namespace sonorelle
