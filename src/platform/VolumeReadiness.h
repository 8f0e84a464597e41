#pragma once

#include <QString>

namespace sonorelle {

// Whether the volume that holds path is present, mounted and readable; an audio CD
// unit without a disc is not ready. The window and the command line both ask this
// at start-up, so they agree on where the file browser may open.
bool IsVolumeReady(const QString& path);

}  // namespace sonorelle
