#pragma once

#include <QList>
#include <QString>

namespace sonorelle {

struct CdUnit {
    QString label;       // identification text shown in the lists: vendor and model, or the image's file name
    QString source;      // device path or image (cue) path; empty for the "(no CD drive)" placeholder
    bool isImage = false;
};

// The system's CD drives through libcdio, then the disc images in cdImages (paths
// separated by ';', the "CDImages" setting). Never empty: a machine without drive
// or image gets one "(no CD drive)" entry.
QList<CdUnit> ListCDDrives(const QString& cdImages);

}  // namespace sonorelle
