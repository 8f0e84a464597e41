#pragma once

#include <QString>
#include <QStringList>

namespace sonorelle {

// What the folder list shows: the chain of folders from the drive's root down to the
// current folder, then the current folder's own folders.
class BrowserFolders {
public:
    // root, each folder between, and current; just current when it is not below root.
    static QStringList chain(const QString& root, const QString& current);
    // The folders inside folder (hidden ones left out), sorted without regard to case.
    static QStringList subfolders(const QString& folder);
};

}  // namespace sonorelle
