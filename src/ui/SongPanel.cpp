#include "ui/SongPanel.h"

#include "app/Session.h"
#include "audio/ExportOperation.h"
#include "audio/PreviewOperation.h"
#include "controls/ccXPButton.h"
#include "songdata/SlotTagFields.h"
#include "ui/DrawnGroupBox.h"
#include "ui/PanelLayout.h"
#include "ui/TagPanel.h"
#include "ui/TypingLimitEdit.h"
#include "ui/WidgetNames.h"
#include "ui/WindowIcons.h"

#include <QDropEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QUrl>
#include <QVBoxLayout>

#include <iterator>

namespace sonorelle {

namespace {

const TagPanel::Design SlotTags{
    "Frame3",
    {"txtStrTitle", "txtStrArtist", "txtStrAlbum", "txtStrDate", "txtStrComment"},
    {SlotTagFields::TextLimit, SlotTagFields::TextLimit, SlotTagFields::TextLimit, SlotTagFields::YearLimit,
     SlotTagFields::TextLimit},
    {"Label11", "Label12", "Label9", "Label8", "Label7"},
    "Command4"};

QPushButton* PictureButton(const char* name, WindowIcons::Picture picture)
{
    auto* button = Named(new QPushButton, name);
    button->setIcon(WindowIcons::icon(picture));
    button->setIconSize(QSize(18, 18));
    button->setFixedSize(30, 30);
    // Enter in the window must never reach a list edit.
    button->setAutoDefault(false);
    return button;
}

// The local files a drag from a file manager carries, in its order; none for any
// other event.
QStringList DroppedFiles(const QEvent* event)
{
    if (event->type() != QEvent::DragEnter && event->type() != QEvent::DragMove && event->type() != QEvent::Drop)
        return {};
    QStringList files;
    for (const QUrl& url : static_cast<const QDropEvent*>(event)->mimeData()->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

}  // namespace

SongPanel::SongPanel(Session& session, QWidget* parent)
    : QWidget(parent)
    , session_(session)
    , Frame1_(Named(new DrawnGroupBox, "Frame1"))
    , Command8_(Named(new ccXPButton, "Command8"))
    , Command9_(Named(new ccXPButton, "Command9"))
    , Command11_(Named(new ccXPButton, "Command11"))
    , Command12_(Named(new ccXPButton(QStringLiteral("--> mp3")), "Command12"))
    , lstSong_(Named(new QListWidget, "lstSong"))
    , Command18_(PictureButton("Command18", WindowIcons::Picture::MoveUp))
    , Command19_(PictureButton("Command19", WindowIcons::Picture::MoveDown))
    , Command20_(PictureButton("Command20", WindowIcons::Picture::Shuffle))
    , Frame3_(new TagPanel(SlotTags))
{
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(Command18_);
    listButtons->addWidget(Command19_);
    listButtons->addWidget(Command20_);
    listButtons->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addWidget(lstSong_, 1);
    list->addLayout(listButtons);
    LayOutPanel(*this, *Frame1_, {Command8_, Command9_, Command11_, Command12_}, list, *Frame3_);
    // Tab goes from the list to its buttons, then to the song's tags.
    QWidget* order[] = {lstSong_, Command18_, Command19_, Command20_, Command8_, Command9_, Command11_, Command12_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(Command12_, Frame3_->fields().first());
    setFocusProxy(lstSong_);
    lstSong_->installEventFilter(this);
    lstSong_->setAcceptDrops(true);
    lstSong_->viewport()->setAcceptDrops(true);
    lstSong_->viewport()->installEventFilter(this);

    // The selection, not the current row: a mouse click moves the current row before
    // it selects.
    connect(lstSong_, &QListWidget::itemSelectionChanged, this, [this] { lstSong_Click(); });
    connect(Frame3_->saveButton(), &ccXPButton::Click, this, [this] { Command4_Click(); });
    connect(Command9_, &ccXPButton::Click, this, [this] { Command9_Click(); });
    connect(Command11_, &ccXPButton::Click, this, [this] { session_.preview().MciStopFile(); });
    connect(Command12_, &ccXPButton::Click, this, [this] { Command12_Click(); });
    connect(Command8_, &ccXPButton::Click, this, [this] { editSongList(&SongListDocument::Delete); });
    connect(Command18_, &QPushButton::clicked, this, [this] { editSongList(&SongListDocument::MoveUp); });
    connect(Command19_, &QPushButton::clicked, this, [this] { editSongList(&SongListDocument::MoveDown); });
    connect(Command20_, &QPushButton::clicked, this, [this] { editSongList(&SongListDocument::Shuffle); });
}

QList<QWidget*> SongPanel::workingControls() const
{
    // The list-edit buttons are included: moving a song while an add run rewrites the
    // list would lose one.
    return {lstSong_,  Command8_,  Frame3_->saveButton(), Command9_, Command11_, Command12_,
            Command18_, Command19_, Command20_};
}

QWidget* SongPanel::lastInTabOrder() const
{
    return Frame3_->saveButton();
}

bool SongPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == lstSong_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && Command8_->isEnabled()) {
        editSongList(&SongListDocument::Delete);
        return true;
    }
    if (watched == lstSong_->viewport() && !DroppedFiles(event).isEmpty()) {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop && lstSong_->isEnabled())
            emit filesDropped(DroppedFiles(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int SongPanel::selectedSong() const
{
    const QList<QListWidgetItem*> selected = lstSong_->selectedItems();
    return selected.isEmpty() ? -1 : lstSong_->row(selected.first());
}

void SongPanel::showSongLines()
{
    const QSignalBlocker quiet(lstSong_);
    lstSong_->clear();
    lstSong_->addItems(session_.document().lines());
}

void SongPanel::selectSong(int index)
{
    {
        const QSignalBlocker quiet(lstSong_);
        lstSong_->setCurrentRow(index);
    }
    lstSong_Click();
}

void SongPanel::selectFirstSongIfNone()
{
    if (lstSong_->count() > 0 && selectedSong() < 0)
        selectSong(0);
}

void SongPanel::lstSong_Click()
{
    const SlotTagFields fields = session_.document().SlotClicked(selectedSong());
    Frame3_->setTexts({fields.title, fields.artist, fields.album, fields.date, fields.comment});
}

void SongPanel::Command4_Click()
{
    const QStringList texts = Frame3_->texts();
    const SlotTagFields fields{texts[0], texts[1], texts[2], texts[3], texts[4]};
    int selected = selectedSong();
    const std::optional<bool> saved = session_.saveSlotTags(selected, fields);
    if (saved.value_or(false)) {
        showSongLines();
        selectSong(selected);
    } else {
        showRefusedEdit(selected);
    }
}

void SongPanel::showRefusedEdit(int selected)
{
    const QListWidgetItem* before = lstSong_->item(selected);
    const QString shown = before != nullptr ? before->text() : QString();
    // The list may have been read again meanwhile.
    showSongLines();
    const QListWidgetItem* now = lstSong_->item(selected);
    if (now == nullptr || now->text() != shown) {
        // The song is gone: its fields must not be saved onto the song now in its place.
        selectSong(-1);
        return;
    }
    // What the person typed stays for another try.
    const QSignalBlocker quiet(lstSong_);
    lstSong_->setCurrentRow(selected);
}

void SongPanel::Command9_Click()
{
    const int slot = selectedSong();
    if (slot < 0)
        return;
    session_.preview().MciStopFile();
    PreviewOperation preview(session_.shared(), session_.lookup(), session_.preview(),
                             session_.document().streamFileOf(slot), StreamDecoder::TagRecordCut::WhenPresent);
    session_.run(preview);
}

void SongPanel::Command12_Click()
{
    const int slot = selectedSong();
    if (slot < 0)
        return;
    session_.preview().MciStopFile();
    // The default suffix makes the dialog ask about the file that will really be
    // written, not about the name as typed.
    QFileDialog dialog(this);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("MP3 Files (*.mp3)"));
    dialog.setDefaultSuffix(QStringLiteral("mp3"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QStringList texts = Frame3_->texts();
    ExportOperation exporting(session_.shared(), session_.lookup(), session_.document(), slot,
                              {texts[0], texts[1], texts[2], texts[3], texts[4]}, dialog.selectedFiles().first());
    if (session_.run(exporting).outcome == OperationResult::Outcome::Refused) {
        showRefusedEdit(slot);
        return;
    }
    // The list entry took the title, artist and album; the fields keep their texts.
    showSongLines();
    selectSong(exporting.songSlot());
    Frame3_->setTexts(texts);
}

void SongPanel::editSongList(int (SongListDocument::*edit)(int))
{
    const int selected = selectedSong();
    const std::optional<int> next = session_.editSongList(edit, selected);
    if (!next) {
        showRefusedEdit(selected);
        return;
    }
    showSongLines();
    selectSong(*next);
    lstSong_->setFocus(Qt::OtherFocusReason);
}

}  // namespace sonorelle
