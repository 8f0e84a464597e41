#pragma once

#include "platform/CdTrackListing.h"
#include "ui/BrowserDrive.h"

#include <QList>
#include <QString>
#include <QWidget>

class QComboBox;
class QFileSystemWatcher;
class QGroupBox;
class QLabel;
class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace sonorelle {

class Session;
class TagPanel;
class ccXPButton;
struct FileClick;

// The file side of the main window: the drive list, the folder tree and the file
// list for picking audio files, their commands (add, playlist, play, stop) and the
// selected file's tags. An audio CD shows its tracks as files, Track01.cda ...,
// named by the unit: /dev/sr0/Track01.cda.
class FileBrowserPanel : public QWidget {
    Q_OBJECT

public:
    explicit FileBrowserPanel(Session& session, QWidget* parent = nullptr);

    // Lists the drives anew and shows folder.
    void place(const QString& folder);
    const QString& folder() const { return folder_; }

    // The panel's tab chain, which runs from the drive list to the save button.
    QWidget* firstInTabOrder() const;
    QWidget* lastInTabOrder() const;
    // The controls a running operation switches off.
    QList<QWidget*> workingControls() const;

    // The selected files of the file list, in list order, as full paths.
    QStringList selectedFiles() const;

signals:
    void playlistRequested();
    void addRequested();

private:
    void Drive1_Change(int index);
    void showFolder(const QString& folder);
    // The audio tracks of the current drive, a CD unit, as its files.
    void showDisc(const QList<CdaEntry>& tracks);
    // Lists the folder's files anew, keeping the selection of those still there.
    void showFiles();
    void Dir1_Activated(QTreeWidgetItem* item);
    void File1_Click();
    void showTrackLength(const QString& name);
    void Command5_Click();
    void Command2_Click();
    void Command10_Click();

    Session& session_;
    QList<BrowserDrive> drives_;
    int currentDrive_ = -1;
    QString folder_;
    QList<CdaEntry> tracks_;  // of the CD shown; empty while a folder is shown

    QGroupBox* Frame2_;
    ccXPButton* Command1_;
    ccXPButton* Command17_;
    ccXPButton* Command2_;
    ccXPButton* Command10_;
    QComboBox* Drive1_;
    QTreeWidget* Dir1_;
    QListWidget* File1_;
    QLabel* trackLength_;
    TagPanel* Frame4_;
    QFileSystemWatcher* watcher_;
};

}  // namespace sonorelle
