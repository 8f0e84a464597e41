#pragma once

#include <QByteArray>
#include <QString>

namespace sonorelle {

// Replaces path with bytes: written to a temporary file in the same folder, every
// write checked, synced, then renamed over path, so a reader sees the old or the new
// file and never a part. The temporary is named ".sonorelle-XXXXXX.tmp": hidden, and
// no pattern of the game's files (such as "songlist.*") can match one left behind by a
// killed writer. On any failure (disk full included) the old file stays as it was and
// *error says why. A new file gets mode 0644; a replaced one keeps its mode.
bool ReplaceFileAtomically(const QString& path, const QByteArray& bytes, QString* error);

}  // namespace sonorelle
