#include "ui/FileBrowserPanel.h"

#include "adding/DiscTrackSource.h"
#include "app/Feedback.h"
#include "app/Session.h"
#include "audio/FileTagFields.h"
#include "audio/PreviewOperation.h"
#include "audio/PreviewRoute.h"
#include "controls/ccXPButton.h"
#include "ui/BrowserDriveList.h"
#include "ui/DrawnGroupBox.h"
#include "ui/FileClick.h"
#include "ui/FileListFilter.h"
#include "ui/BrowserFolders.h"
#include "ui/PanelLayout.h"
#include "ui/TagPanel.h"
#include "ui/TypingLimitEdit.h"
#include "ui/WidgetNames.h"
#include "ui/WindowIcons.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileSystemWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <iterator>

namespace sonorelle {

namespace {

constexpr int limit(FileTagField field)
{
    return FileTagFields::typingLimit(field);
}

const TagPanel::Design FileTags{
    "Frame4",
    {"txtTitle", "txtArtist", "txtAlbum", "txtDate", "txtComment"},
    {limit(FileTagField::Title), limit(FileTagField::Artist), limit(FileTagField::Album), limit(FileTagField::Year),
     limit(FileTagField::Comment)},
    {"label1", "Label2", "Label10", "Label4", "Label6"},
    "Command5"};

QIcon DriveIcon(BrowserDrive::Kind kind)
{
    switch (kind) {
    case BrowserDrive::Kind::Home:
        return WindowIcons::icon(WindowIcons::Picture::Home);
    case BrowserDrive::Kind::Volume:
        return WindowIcons::icon(WindowIcons::Picture::Volume);
    case BrowserDrive::Kind::CdUnit:
        break;
    }
    return WindowIcons::icon(WindowIcons::Picture::CdUnit);
}

}  // namespace

FileBrowserPanel::FileBrowserPanel(Session& session, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , Frame2_(Named(new DrawnGroupBox, "Frame2"))
    , Command1_(Named(new ccXPButton, "Command1"))
    , Command17_(Named(new ccXPButton(QStringLiteral("WinAmp")), "Command17"))
    , Command2_(Named(new ccXPButton, "Command2"))
    , Command10_(Named(new ccXPButton, "Command10"))
    , Drive1_(Named(new QComboBox, "Drive1"))
    , Dir1_(Named(new QTreeWidget, "Dir1"))
    , File1_(Named(new QListWidget, "File1"))
    , trackLength_(Named(new QLabel, "lblTrackLength"))
    , Frame4_(new TagPanel(FileTags))
    , watcher_(new QFileSystemWatcher(this))
{
    Dir1_->setHeaderHidden(true);
    Dir1_->setRootIsDecorated(false);
    Dir1_->setIndentation(10);
    File1_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Drive1_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Drive1_->setMinimumContentsLength(8);
    auto* folders = new QVBoxLayout;
    folders->addWidget(Drive1_);
    folders->addWidget(Dir1_, 1);
    trackLength_->hide();
    auto* fileColumn = new QVBoxLayout;
    fileColumn->addWidget(File1_, 1);
    fileColumn->addWidget(trackLength_);
    auto* browser = new QHBoxLayout;
    browser->addLayout(folders, 2);
    browser->addLayout(fileColumn, 3);
    LayOutPanel(*this, *Frame2_, {Command1_, Command17_, Command2_, Command10_}, browser, *Frame4_);
    // Tab goes through the browser first, then its buttons, then the file's tags.
    QWidget* order[] = {Drive1_, Dir1_, File1_, Command1_, Command17_, Command2_, Command10_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(Command10_, Frame4_->fields().first());
    // Songs saved into the shown folder by another program appear without a click.
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { showFiles(); });

    connect(Drive1_, &QComboBox::currentIndexChanged, this, [this](int index) { Drive1_Change(index); });
    connect(Dir1_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Dir1_Activated(item); });
    connect(File1_, &QListWidget::currentRowChanged, this, [this] { File1_Click(); });
    connect(Frame4_->saveButton(), &ccXPButton::Click, this, [this] { Command5_Click(); });
    connect(Command17_, &ccXPButton::Click, this, &FileBrowserPanel::playlistRequested);
    connect(Command1_, &ccXPButton::Click, this, &FileBrowserPanel::addRequested);
    connect(Command2_, &ccXPButton::Click, this, [this] { Command2_Click(); });
    connect(Command10_, &ccXPButton::Click, this, [this] { Command10_Click(); });
}

QList<QWidget*> FileBrowserPanel::workingControls() const
{
    // Selecting every file (Ctrl+A) belongs to File1.
    return {File1_, Dir1_, Drive1_, Command1_, Command2_, Command10_, Frame4_->saveButton(), Command17_};
}

QWidget* FileBrowserPanel::firstInTabOrder() const
{
    return Drive1_;
}

QWidget* FileBrowserPanel::lastInTabOrder() const
{
    return Frame4_->saveButton();
}

void FileBrowserPanel::place(const QString& folder)
{
    drives_ = BrowserDriveList::ofThisMachine(session_.units().units());
    {
        const QSignalBlocker quiet(Drive1_);
        Drive1_->clear();
        for (const BrowserDrive& drive : drives_)
            Drive1_->addItem(DriveIcon(drive.kind), drive.name);
        // The list drops down wide enough for whole names, however narrow the box is.
        QAbstractItemView* list = Drive1_->view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth()
                              + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        currentDrive_ = std::max(BrowserDriveList::driveOf(drives_, folder), 0);
        Drive1_->setCurrentIndex(currentDrive_);
    }
    showFolder(folder);
}

void FileBrowserPanel::Drive1_Change(int index)
{
    if (index < 0 || index >= drives_.size())
        return;
    const BrowserDrive& drive = drives_[index];
    bool ready = drive.isReady();
    QString problem = drive.problem();
    QList<CdaEntry> tracks;
    if (ready && drive.kind == BrowserDrive::Kind::CdUnit) {
        session_.cd().startCD(drive.cd);
        QString error;
        tracks = ListCdaEntries(drive.cd, &error);
        // A data disc is read where the system mounted it.
        ready = !tracks.isEmpty() || !drive.root.isEmpty();
        problem = error.isEmpty() ? QStringLiteral("It holds no audio track, and no data of it is mounted.") : error;
    }
    session_.shared().DriveReady = ready ? QStringLiteral("yes") : QStringLiteral("no");
    if (!tracks.isEmpty()) {
        currentDrive_ = index;
        showDisc(tracks);
        return;
    }
    if (ready) {
        currentDrive_ = index;
        showFolder(drive.root);
        return;
    }
    const LanguageTexts& texts = session_.texts();
    QString text = texts.textOr(QStringLiteral("msg7_1"), QStringLiteral("The drive")) + u' ' + drive.name + u' '
                   + texts.textOr(QStringLiteral("msg7_2"), QStringLiteral("is not ready."));
    // A disc image says what is missing, which "insert a disc" would not.
    if (!problem.isEmpty())
        text += QStringLiteral("\n\n") + problem;
    session_.feedback().message(text, texts.messageCaption(), MessageIcon::Critical);
    const QSignalBlocker quiet(Drive1_);
    Drive1_->setCurrentIndex(currentDrive_);
}

void FileBrowserPanel::showFolder(const QString& folder)
{
    folder_ = folder;
    tracks_.clear();
    const QString root = currentDrive_ >= 0 && currentDrive_ < drives_.size() ? drives_[currentDrive_].root : QString();
    Dir1_->clear();
    QTreeWidgetItem* parent = nullptr;
    QTreeWidgetItem* current = nullptr;
    const QIcon open = WindowIcons::icon(WindowIcons::Picture::OpenFolder);
    const QIcon closed = WindowIcons::icon(WindowIcons::Picture::Folder);
    const auto addFolder = [this, &parent](const QString& path, const QIcon& icon) {
        const QString name = path == u"/" ? path : path.section(u'/', -1);
        auto* item = parent ? new QTreeWidgetItem(parent, {name}) : new QTreeWidgetItem(Dir1_, {name});
        item->setIcon(0, icon);
        item->setData(0, Qt::UserRole, path);
        item->setToolTip(0, path);
        return item;
    };
    for (const QString& path : BrowserFolders::chain(root, folder)) {
        current = addFolder(path, open);
        parent = current;
    }
    for (const QString& path : BrowserFolders::subfolders(folder))
        addFolder(path, closed);
    Dir1_->expandAll();
    if (current)
        Dir1_->setCurrentItem(current);

    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    if (!folder.isEmpty())
        watcher_->addPath(folder);
    {
        const QSignalBlocker quiet(File1_);
        File1_->clear();
    }
    showFiles();
}

void FileBrowserPanel::showDisc(const QList<CdaEntry>& tracks)
{
    const BrowserDrive& drive = drives_[currentDrive_];
    folder_ = drive.cd.source;
    tracks_ = tracks;
    Dir1_->clear();
    auto* disc = new QTreeWidgetItem(Dir1_, {drive.name});
    disc->setIcon(0, Drive1_->itemIcon(currentDrive_));
    disc->setData(0, Qt::UserRole, folder_);
    disc->setToolTip(0, folder_);
    Dir1_->setCurrentItem(disc);
    if (!watcher_->directories().isEmpty())
        watcher_->removePaths(watcher_->directories());
    {
        const QSignalBlocker quiet(File1_);
        File1_->clear();
    }
    showFiles();
}

QStringList FileBrowserPanel::selectedFiles() const
{
    QStringList files;
    for (int row = 0; row < File1_->count(); ++row) {
        const QListWidgetItem* item = File1_->item(row);
        if (item->isSelected())
            files.append(FileClick::of(folder_, item->text()).fullPath);
    }
    return files;
}

void FileBrowserPanel::showFiles()
{
    const QListWidgetItem* current = File1_->currentItem();
    const QString shown = current ? current->text() : QString();
    QStringList selected;
    for (const QListWidgetItem* item : File1_->selectedItems())
        selected.append(item->text());
    {
        const QSignalBlocker quiet(File1_);
        File1_->clear();
        if (tracks_.isEmpty()) {
            File1_->addItems(FileListFilter().filesIn(folder_));
        } else {
            for (const CdaEntry& track : tracks_)
                File1_->addItem(track.name);
        }
        for (int row = 0; row < File1_->count(); ++row) {
            QListWidgetItem* item = File1_->item(row);
            if (item->text() == shown)
                File1_->setCurrentItem(item, QItemSelectionModel::NoUpdate);
            item->setSelected(selected.contains(item->text()));
        }
    }
    // Fields left over from a file no longer selected would be saved into nothing.
    if (!File1_->currentItem())
        File1_Click();
}

void FileBrowserPanel::Dir1_Activated(QTreeWidgetItem* item)
{
    if (!item)
        return;
    // The disc's one entry reads the disc anew, as choosing its drive does.
    if (!tracks_.isEmpty())
        Drive1_Change(currentDrive_);
    else
        showFolder(item->data(0, Qt::UserRole).toString());
}

void FileBrowserPanel::File1_Click()
{
    // ClearFileTagBoxes, then ClearVar: no ID3v2 value of an earlier file may linger
    // for a later reader.
    Frame4_->clear();
    session_.id3().clear();
    trackLength_->clear();
    trackLength_->hide();
    const QListWidgetItem* item = File1_->currentItem();
    if (!item)
        return;
    const FileClick click = FileClick::of(folder_, item->text());
    if (click.enablesPreview) {
        Command2_->setEnabled(true);
        Command10_->setEnabled(true);
    }
    showTrackLength(item->text());
    if (click.tagSource == FileClick::TagSource::None)
        return;
    const FileTagFields fields = session_.fileTags().readFileTags(click.fullPath);
    QStringList texts;
    for (const FileTagField field : FileTagFields::All)
        texts.append(fields.value(field));
    Frame4_->setTexts(texts);
}

// A track of the CD shown says how long it plays and, from CD-Text, what it is.
void FileBrowserPanel::showTrackLength(const QString& name)
{
    for (const CdaEntry& track : tracks_) {
        if (track.name != name)
            continue;
        QString text = track.length;
        if (!track.title.isEmpty() || !track.performer.isEmpty())
            text += QStringLiteral("   %1 - %2").arg(track.performer, track.title);
        trackLength_->setText(text);
        trackLength_->show();
    }
}

// Saves into the file whose tags the fields show; neither the fields nor the lists
// are refreshed. Without a file the person is asked to pick one.
void FileBrowserPanel::Command5_Click()
{
    const QListWidgetItem* item = File1_->currentItem();
    if (!item) {
        session_.songData().reportKey(QStringLiteral("msg1"));
        return;
    }
    FileTagFields fields;
    const QStringList texts = Frame4_->texts();
    qsizetype i = 0;
    for (const FileTagField field : FileTagFields::All)
        fields.put(field, texts.at(i++));
    session_.saveFileTags(FileClick::of(folder_, item->text()).fullPath, fields);
}

void FileBrowserPanel::Command2_Click()
{
    Command10_Click();
    const QListWidgetItem* item = File1_->currentItem();
    if (!item)
        return;
    const FileClick click = FileClick::of(folder_, item->text());
    switch (PreviewRouteOf(click.extension)) {
    case PreviewRoute::Direct:
        session_.preview().MciPlayFile(click.fullPath);
        break;
    case PreviewRoute::Decoded: {
        PreviewOperation preview(session_.shared(), session_.lookup(), session_.preview(), click.fullPath,
                                 StreamDecoder::TagRecordCut::Never);
        session_.run(preview);
        break;
    }
    case PreviewRoute::CdTrack:
        // The name's number, not the list position: a data track is not listed.
        session_.cd().setTrack(DiscTrackSource::trackNumberOf(item->text()));
        break;
    case PreviewRoute::Nothing:
        break;
    }
}

void FileBrowserPanel::Command10_Click()
{
    session_.preview().MciStopFile();
    session_.cd().stopCD();
}

}  // namespace sonorelle
