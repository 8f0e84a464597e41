#pragma once

#include <QList>
#include <QString>

namespace sonorelle {

struct CdUnit {
    QString label;       // identification text shown in the lists: vendor and model, or the image's file name
    QString source;      // device path or image (cue) path; empty for the "(no CD drive)" placeholder
    bool isImage = false;
    QString problem;     // why the unit cannot be read (for example a missing .bin), "" when nothing is known

    bool isPlaceholder() const { return source.isEmpty(); }
};

// The system's CD drives through libcdio, then the disc images in cdImages (paths
// separated by ';', the "CDImages" setting) whose file exists. Never empty: a
// machine without drive or image gets one "(no CD drive)" entry.
QList<CdUnit> ListCDDrives(const QString& cdImages);

// What keeps libcdio from reading the disc image, in words for the person; "" when
// nothing does. Its BIN/CUE driver ignores the cue's FILE line and opens the cue's
// name with "bin" for "cue", so that file must exist.
QString DiscImageProblem(const QString& imagePath);

}  // namespace sonorelle
