#include "ui/Form1.h"

#include "app/Form2.h"
#include "app/GameLauncher.h"
#include "controls/ccXPButton.h"
#include "platform/VolumeReadiness.h"
#include "songdata/FirstRun.h"
#include "ui/ApplyLanguage.h"
#include "ui/BannerPicture.h"
#include "ui/BrowserDriveList.h"
#include "ui/ClickableImage.h"
#include "ui/CommandIcons.h"
#include "ui/FileListFilter.h"
#include "ui/FolderListing.h"
#include "ui/frmAbout.h"
#include "ui/frmProgress.h"
#include "ui/frmSplash.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <initializer_list>
#include <utility>

namespace sonorelle {

namespace {

constexpr int BannerIconSize = 32;

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

template <typename Widget>
Widget* Named(Widget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

ccXPButton* XPButton(const char* name, const QString& caption = {})
{
    return Named(new ccXPButton(caption), name);
}

QLineEdit* TagField(const char* name, int limit)
{
    auto* field = Named(new QLineEdit, name);
    field->setMaxLength(limit);
    return field;
}

QPushButton* PictureButton(const char* name, CommandIcons::Picture picture)
{
    auto* button = Named(new QPushButton, name);
    button->setIcon(CommandIcons::icon(picture));
    button->setIconSize(QSize(18, 18));
    button->setFixedSize(30, 30);
    return button;
}

ClickableImage* BannerImage(const char* name, CommandIcons::Picture picture, QWidget* parent)
{
    auto* image = Named(new ClickableImage(parent), name);
    image->setPixmap(CommandIcons::icon(picture).pixmap(QSize(BannerIconSize, BannerIconSize),
                                                         parent->devicePixelRatioF()));
    image->setAlignment(Qt::AlignCenter);
    return image;
}

ClickableImage* BannerCaption(const char* name, QWidget* parent)
{
    auto* caption = Named(new ClickableImage(parent), name);
    caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return caption;
}

QIcon DriveIcon(BrowserDrive::Kind kind, const QStyle* style)
{
    switch (kind) {
    case BrowserDrive::Kind::Home:
        return QIcon::fromTheme(QStringLiteral("user-home"), style->standardIcon(QStyle::SP_DirHomeIcon));
    case BrowserDrive::Kind::Volume:
        return QIcon::fromTheme(QStringLiteral("drive-harddisk"), style->standardIcon(QStyle::SP_DriveHDIcon));
    case BrowserDrive::Kind::CdUnit:
        break;
    }
    return QIcon::fromTheme(QStringLiteral("media-optical"), style->standardIcon(QStyle::SP_DriveCDIcon));
}

// One half of the window: its button strip, its list area and its tag panel.
QWidget* WindowSide(QGroupBox* strip, std::initializer_list<ccXPButton*> buttons, QLayout* lists, QGroupBox* tags)
{
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(6, 4, 6, 6);
    for (ccXPButton* button : buttons)
        row->addWidget(button);
    auto* side = new QWidget;
    auto* column = new QVBoxLayout(side);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(strip);
    column->addLayout(lists, 1);
    column->addWidget(tags);
    return side;
}

void SetFieldTexts(const QList<QLineEdit*>& fields, const QStringList& texts)
{
    for (qsizetype i = 0; i < fields.size(); ++i)
        fields[i]->setText(i < texts.size() ? texts[i] : QString());
}

}  // namespace

Form1::Form1(Registry registry, const QString& executableDir, const QString& commandLine)
    : registry_(std::move(registry)),
      setup_(StartupContext{shared_, registry_, *this, *this, *this, texts_}),
      sequence_(StartupContext{shared_, registry_, *this, *this, *this, texts_}, setup_, executableDir,
                commandLine),
      songs_(shared_, *this, lookup(), StrTg_),
      fileTags_(id3_, StrTg_, SongDataContext{shared_, *this, lookup()}),
      Picture1_(Named(new BannerPicture(this), "Picture1")),
      Image3_(BannerImage("Image3", CommandIcons::Picture::RunGame, Picture1_)),
      Label14_(BannerCaption("Label14", Picture1_)),
      Image4_(BannerImage("Image4", CommandIcons::Picture::Setup, Picture1_)),
      Label5_(BannerCaption("Label5", Picture1_)),
      Image1_(BannerImage("Image1", CommandIcons::Picture::About, Picture1_)),
      Label3_(BannerCaption("Label3", Picture1_)),
      Image2_(BannerImage("Image2", CommandIcons::Picture::Exit, Picture1_)),
      Label13_(BannerCaption("Label13", Picture1_)),
      Frame1_(Named(new QGroupBox, "Frame1")),
      Command8_(XPButton("Command8")),
      Command9_(XPButton("Command9")),
      Command11_(XPButton("Command11")),
      Command12_(XPButton("Command12", QStringLiteral("--> mp3"))),
      lstSong_(Named(new QListWidget, "lstSong")),
      Command18_(PictureButton("Command18", CommandIcons::Picture::MoveUp)),
      Command19_(PictureButton("Command19", CommandIcons::Picture::MoveDown)),
      Command20_(PictureButton("Command20", CommandIcons::Picture::Shuffle)),
      Frame2_(Named(new QGroupBox, "Frame2")),
      Command1_(XPButton("Command1")),
      Command17_(XPButton("Command17", QStringLiteral("WinAmp"))),
      Command2_(XPButton("Command2")),
      Command10_(XPButton("Command10")),
      Drive1_(Named(new QComboBox, "Drive1")),
      Dir1_(Named(new QTreeWidget, "Dir1")),
      File1_(Named(new QListWidget, "File1")),
      txtStrTitle_(TagField("txtStrTitle", SlotTagFields::TextLimit)),
      txtStrArtist_(TagField("txtStrArtist", SlotTagFields::TextLimit)),
      txtStrAlbum_(TagField("txtStrAlbum", SlotTagFields::TextLimit)),
      txtStrDate_(TagField("txtStrDate", SlotTagFields::YearLimit)),
      txtStrComment_(TagField("txtStrComment", SlotTagFields::TextLimit)),
      Label11_(Named(new QLabel, "Label11")),
      Label12_(Named(new QLabel, "Label12")),
      Label9_(Named(new QLabel, "Label9")),
      Label8_(Named(new QLabel, "Label8")),
      Label7_(Named(new QLabel, "Label7")),
      Command4_(XPButton("Command4")),
      txtTitle_(TagField("txtTitle", FileTagFields::typingLimit(FileTagField::Title))),
      txtArtist_(TagField("txtArtist", FileTagFields::typingLimit(FileTagField::Artist))),
      txtAlbum_(TagField("txtAlbum", FileTagFields::typingLimit(FileTagField::Album))),
      txtDate_(TagField("txtDate", FileTagFields::typingLimit(FileTagField::Year))),
      txtComment_(TagField("txtComment", FileTagFields::typingLimit(FileTagField::Comment))),
      label1_(Named(new QLabel, "label1")),
      Label2_(Named(new QLabel, "Label2")),
      Label10_(Named(new QLabel, "Label10")),
      Label4_(Named(new QLabel, "Label4")),
      Label6_(Named(new QLabel, "Label6")),
      Command5_(XPButton("Command5")),
      DriveList_(Named(new QComboBox(this), "DriveList"))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Sonorelle"));
    // The CD unit list is never shown: the ripper and the Setup dialog read it.
    DriveList_->hide();

    buildBanner();
    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 6, 8, 8);
    body->setSpacing(10);
    body->addWidget(buildSongSide(), 1);
    body->addWidget(buildFileSide(), 1);
    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(Picture1_);
    rows->addLayout(body, 1);
    setCentralWidget(central);
    connectCommands();
    resize(605, 461);
}

Form1::~Form1() = default;

void Form1::buildBanner()
{
    auto* commands = new QHBoxLayout(Picture1_);
    commands->setContentsMargins(8, 6, 8, 4);
    commands->setSpacing(12);
    commands->addStretch(1);
    const std::pair<ClickableImage*, ClickableImage*> pairs[] = {
        {Image3_, Label14_}, {Image4_, Label5_}, {Image1_, Label3_}, {Image2_, Label13_}};
    for (const auto& [image, caption] : pairs) {
        auto* command = new QVBoxLayout;
        command->setSpacing(2);
        command->addWidget(image);
        command->addWidget(caption);
        caption->setMinimumWidth(64);
        caption->setMinimumHeight(caption->fontMetrics().height());
        commands->addLayout(command);
    }
    Picture1_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QWidget* Form1::buildSongSide()
{
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(Command18_);
    listButtons->addWidget(Command19_);
    listButtons->addWidget(Command20_);
    listButtons->addStretch(1);
    auto* list = new QHBoxLayout;
    list->addWidget(lstSong_, 1);
    list->addLayout(listButtons);

    Frame3_ = buildTagPanel("Frame3", {txtStrTitle_, txtStrArtist_, txtStrAlbum_, txtStrDate_, txtStrComment_},
                            {Label11_, Label12_, Label9_, Label8_, Label7_}, Command4_);
    return WindowSide(Frame1_, {Command8_, Command9_, Command11_, Command12_}, list, Frame3_);
}

QWidget* Form1::buildFileSide()
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
    auto* browser = new QHBoxLayout;
    browser->addLayout(folders, 2);
    browser->addWidget(File1_, 3);

    Frame4_ = buildTagPanel("Frame4", {txtTitle_, txtArtist_, txtAlbum_, txtDate_, txtComment_},
                            {label1_, Label2_, Label10_, Label4_, Label6_}, Command5_);
    return WindowSide(Frame2_, {Command1_, Command17_, Command2_, Command10_}, browser, Frame4_);
}

// fields and captions in the order title, artist, album, year, comment.
QGroupBox* Form1::buildTagPanel(const char* frameName, const QList<QLineEdit*>& fields,
                                const QList<QLabel*>& captions, ccXPButton* save)
{
    auto* frame = Named(new QGroupBox, frameName);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(3);
    constexpr int Year = 3;
    constexpr int Comment = 4;
    int row = 0;
    for (int field : {0, 1, 2, Comment}) {
        grid->addWidget(captions[field], row, 0);
        grid->addWidget(fields[field], row, 1, 1, 3);
        ++row;
    }
    grid->addWidget(captions[Year], row, 0);
    fields[Year]->setMaximumWidth(fields[Year]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    grid->addWidget(fields[Year], row, 1);
    grid->addWidget(save, row, 3, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    return frame;
}

void Form1::connectCommands()
{
    // The selection, not the current row: a mouse click moves the current row before
    // it selects.
    connect(lstSong_, &QListWidget::itemSelectionChanged, this, [this] { lstSong_Click(); });
    connect(Command4_, &ccXPButton::Click, this, [this] { Command4_Click(); });
    connect(Command5_, &ccXPButton::Click, this, [this] { Command5_Click(); });
    connect(Command8_, &ccXPButton::Click, this, [this] { editSongList(&SongListDocument::Delete); });
    connect(Command18_, &QPushButton::clicked, this, [this] { editSongList(&SongListDocument::MoveUp); });
    connect(Command19_, &QPushButton::clicked, this, [this] { editSongList(&SongListDocument::MoveDown); });
    connect(Command20_, &QPushButton::clicked, this, [this] { editSongList(&SongListDocument::Shuffle); });

    connect(Drive1_, &QComboBox::currentIndexChanged, this, [this](int index) { Drive1_Change(index); });
    connect(Dir1_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { Dir1_Activated(item); });
    connect(File1_, &QListWidget::currentRowChanged, this, [this] { File1_Click(); });

    for (ClickableImage* command : {Image3_, Label14_})
        connect(command, &ClickableImage::Click, this, [this] { runGame(); });
    for (ClickableImage* command : {Image4_, Label5_})
        connect(command, &ClickableImage::Click, this, [this] { openSetup(); });
    for (ClickableImage* command : {Image1_, Label3_})
        connect(command, &ClickableImage::Click, this, [this] { openAbout(); });
    for (ClickableImage* command : {Image2_, Label13_})
        connect(command, &ClickableImage::Click, this, [this] { exitProgram(); });
}

bool Form1::start()
{
    const StartupOutcome outcome = sequence_.FormLoad();
    if (outcome == StartupOutcome::Completed)
        show();
    return outcome != StartupOutcome::Ended;
}

void Form1::FormLoad()
{
    if (sequence_.FormLoad() == StartupOutcome::Completed)
        show();
}

frmProgress* Form1::progressWindow()
{
    if (!progress_) {
        progress_ = new frmProgress(this);
        if (!texts_.file().isEmpty())
            ApplyWindowCaptions(texts_, LanguageWindow::Progress, *progress_);
    }
    return progress_;
}

Form2* Form1::setupDialog()
{
    if (!setupDialog_) {
        setupDialog_ = new Form2(setup_, texts_, this);
        connect(setupDialog_, &Form2::closed, this, [this] {
            if (ending_)
                return;
            show();
            FormLoad();
        });
    }
    return setupDialog_;
}

frmAbout* Form1::aboutBox()
{
    if (!aboutBox_) {
        aboutBox_ = new frmAbout(*this, this);
        ApplyWindowCaptions(texts_, LanguageWindow::About, *aboutBox_);
    }
    return aboutBox_;
}

// Busy state

QList<QWidget*> Form1::workingControls() const
{
    // Selecting every file (Ctrl+A) belongs to File1. The list-edit buttons are
    // included: moving a song while an add run rewrites the list would lose one.
    return {lstSong_,  File1_,    Dir1_,      Drive1_,    Command1_,  Command8_,  Command2_,
            Command10_, Command4_, Command5_,  Command9_,  Command11_, Command12_, Command17_,
            Command18_, Command19_, Command20_};
}

void Form1::setWorkingControlsEnabled(bool enabled)
{
    for (QWidget* control : workingControls())
        control->setEnabled(enabled);
}

void Form1::Upr_Disabled()
{
    setWorkingControlsEnabled(false);
}

void Form1::Upr_Enabled()
{
    setWorkingControlsEnabled(true);
}

// Feedback

void Form1::message(const QString& text, const QString& caption, MessageIcon icon)
{
    QMessageBox box(BoxIcon(icon), caption, text, QMessageBox::Ok, isVisible() ? this : nullptr);
    box.exec();
}

void Form1::setStatus(const QString& text)
{
    progressWindow()->setStatus(text);
}

void Form1::showProgress()
{
    progressWindow()->show();
}

void Form1::hideProgress()
{
    if (progress_)
        progress_->hide();
}

void Form1::changeProgress(const QString& detail, double done, double total)
{
    progressWindow()->ChangeProgress(detail, done, total);
}

bool Form1::cancelRequested() const
{
    return progress_ && progress_->RipCancel();
}

void Form1::clearCancel()
{
    if (progress_)
        progress_->clearCancel();
}

void Form1::processEvents()
{
    QCoreApplication::processEvents();
}

bool Form1::confirm(const QString& question, const QString& caption)
{
    return QMessageBox::question(isVisible() ? this : nullptr, caption, question, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No)
           == QMessageBox::Yes;
}

// StartupHost

void Form1::showSplash()
{
    if (splash_) {
        splash_->show();
        return;
    }
    splash_ = new frmSplash(registry_, this);
    splash_->load();
}

void Form1::hideSplash()
{
    if (splash_)
        splash_->hide();
}

void Form1::openSetupForFirstRun()
{
    Form2* dialog = setupDialog();
    if (!dialog->load())
        return;
    dialog->show();
    hide();
}

void Form1::closeProgram()
{
    ending_ = true;
    closeOtherWindows();
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void Form1::placeFileBrowser(const QString& folder)
{
    drives_ = BrowserDriveList::ofThisMachine(cdUnits_);
    {
        const QSignalBlocker quiet(Drive1_);
        Drive1_->clear();
        for (const BrowserDrive& drive : drives_)
            Drive1_->addItem(DriveIcon(drive.kind, style()), drive.name);
        // The list drops down wide enough for whole names, however narrow the box is.
        QAbstractItemView* list = Drive1_->view();
        list->setMinimumWidth(list->sizeHintForColumn(0) + 2 * list->frameWidth()
                              + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
        currentDrive_ = std::max(BrowserDriveList::driveOf(drives_, folder), 0);
        Drive1_->setCurrentIndex(currentDrive_);
    }
    showFolder(folder);
}

void Form1::setPlaylistButtonEnabled(bool enabled)
{
    Command17_->setEnabled(enabled);
}

void Form1::fillDriveList(const QList<CdUnit>& units)
{
    cdUnits_ = units;
    DriveList_->clear();
    for (const CdUnit& unit : units)
        DriveList_->addItem(unit.label, unit.source);
}

void Form1::selectDriveListEntry(int index)
{
    DriveList_->setCurrentIndex(index);
}

QStringList Form1::driveListEntries() const
{
    QStringList entries;
    for (int i = 0; i < DriveList_->count(); ++i)
        entries.append(DriveList_->itemText(i));
    return entries;
}

int Form1::driveListSelection() const
{
    return DriveList_->currentIndex();
}

void Form1::selectFirstSongIfNone()
{
    if (lstSong_->count() > 0 && selectedSong() < 0)
        selectSong(0);
}

void Form1::unloadProgress()
{
    delete progress_;
    progress_ = nullptr;
}

// StartupSteps

void Form1::ApplyLanguage(const LanguageTexts& texts)
{
    sonorelle::ApplyLanguage(texts, *this);
    // Translations differ in length: no button of the window gets narrower than its caption.
    for (ccXPButton* button : findChildren<ccXPButton*>()) {
        const QSize caption = button->fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, button->text());
        button->setMinimumWidth(caption.width() + 10);
    }
}

bool Form1::CheckDrive(const QString& path)
{
    return IsVolumeReady(path);
}

void Form1::ExpRightClickMenu()
{
    // Registration with the file managers belongs to the command-line integration,
    // which is not part of the program yet: nothing is written.
}

void Form1::FirstRun()
{
    sonorelle::FirstRun(AudioFolder(shared_.GameAudioDir), StrTg_, registry_, shared_.TagCodePage);
}

void Form1::NameExpert()
{
    songs_.NameExpert();
    showSongLines();
}

void Form1::GoCMD()
{
    // Adding the file named on the command line is not part of the program yet.
}

// LanguageWindowProvider

QWidget* Form1::languageWindow(LanguageWindow window)
{
    switch (window) {
    case LanguageWindow::Main:
        return this;
    case LanguageWindow::Progress:
        return progressWindow();
    case LanguageWindow::Setup:
        return setupDialog();
    case LanguageWindow::About:
        return aboutBox();
    case LanguageWindow::Playlist:
        // The playlist window is not part of the program yet.
        return nullptr;
    }
    return nullptr;
}

// Song slots

int Form1::selectedSong() const
{
    const QList<QListWidgetItem*> selected = lstSong_->selectedItems();
    return selected.isEmpty() ? -1 : lstSong_->row(selected.first());
}

// Filling the list selects nothing and leaves the slot tag fields as they are.
void Form1::showSongLines()
{
    const QSignalBlocker quiet(lstSong_);
    lstSong_->clear();
    lstSong_->addItems(songs_.lines());
}

// Every selection made by a command shows that slot's tags, as a click would.
void Form1::selectSong(int index)
{
    {
        const QSignalBlocker quiet(lstSong_);
        lstSong_->setCurrentRow(index);
    }
    lstSong_Click();
}

void Form1::lstSong_Click()
{
    const SlotTagFields fields = songs_.SlotClicked(selectedSong());
    SetFieldTexts({txtStrTitle_, txtStrArtist_, txtStrAlbum_, txtStrDate_, txtStrComment_},
                  {fields.title, fields.artist, fields.album, fields.date, fields.comment});
}

void Form1::Command4_Click()
{
    const SlotTagFields fields{txtStrTitle_->text(), txtStrArtist_->text(), txtStrAlbum_->text(),
                               txtStrDate_->text(), txtStrComment_->text()};
    songs_.SaveSlotTags(selectedSong(), fields);
    showSongLines();
}

void Form1::editSongList(int (SongListDocument::*edit)(int))
{
    const int next = (songs_.*edit)(selectedSong());
    showSongLines();
    selectSong(next);
}

// File browser

void Form1::Drive1_Change(int index)
{
    if (index < 0 || index >= drives_.size())
        return;
    const BrowserDrive& drive = drives_[index];
    const bool ready = drive.isReady();
    shared_.DriveReady = ready ? QStringLiteral("yes") : QStringLiteral("no");
    if (ready) {
        currentDrive_ = index;
        showFolder(drive.root);
        return;
    }
    QString text = texts_.textOr(QStringLiteral("msg7_1"), QStringLiteral("The drive")) + u' ' + drive.name + u' '
                   + texts_.textOr(QStringLiteral("msg7_2"), QStringLiteral("is not ready."));
    // A disc image says what is missing, which "insert a disc" would not.
    const QString problem = drive.problem();
    if (!problem.isEmpty())
        text += QStringLiteral("\n\n") + problem;
    message(text, texts_.messageCaption(), MessageIcon::Critical);
    const QSignalBlocker quiet(Drive1_);
    Drive1_->setCurrentIndex(currentDrive_);
}

void Form1::showFolder(const QString& folder)
{
    folder_ = folder;
    const QString root = currentDrive_ >= 0 && currentDrive_ < drives_.size() ? drives_[currentDrive_].root : QString();
    Dir1_->clear();
    QTreeWidgetItem* parent = nullptr;
    QTreeWidgetItem* current = nullptr;
    const QIcon open = QIcon::fromTheme(QStringLiteral("folder-open"), style()->standardIcon(QStyle::SP_DirOpenIcon));
    const QIcon closed = QIcon::fromTheme(QStringLiteral("folder"), style()->standardIcon(QStyle::SP_DirIcon));
    const auto addFolder = [this, &parent](const QString& path, const QIcon& icon) {
        const QString name = path == u"/" ? path : path.section(u'/', -1);
        auto* item = parent ? new QTreeWidgetItem(parent, {name}) : new QTreeWidgetItem(Dir1_, {name});
        item->setIcon(0, icon);
        item->setData(0, Qt::UserRole, path);
        item->setToolTip(0, path);
        return item;
    };
    for (const QString& path : FolderListing::chain(root, folder)) {
        current = addFolder(path, open);
        parent = current;
    }
    for (const QString& path : FolderListing::subfolders(folder))
        addFolder(path, closed);
    Dir1_->expandAll();
    if (current)
        Dir1_->setCurrentItem(current);

    const QSignalBlocker quiet(File1_);
    File1_->clear();
    File1_->addItems(FileListFilter().filesIn(folder));
}

void Form1::Dir1_Activated(QTreeWidgetItem* item)
{
    if (item)
        showFolder(item->data(0, Qt::UserRole).toString());
}

QList<std::pair<FileTagField, QLineEdit*>> Form1::fileTagBoxes() const
{
    return {{FileTagField::Title, txtTitle_},
            {FileTagField::Artist, txtArtist_},
            {FileTagField::Album, txtAlbum_},
            {FileTagField::Year, txtDate_},
            {FileTagField::Comment, txtComment_}};
}

void Form1::ClearFileTagBoxes()
{
    for (const auto& [field, box] : fileTagBoxes())
        box->clear();
}

void Form1::File1_Click()
{
    ClearFileTagBoxes();
    // ClearVar: no ID3v2 value of an earlier file may linger for a later reader.
    id3_.clear();
    const QListWidgetItem* item = File1_->currentItem();
    if (!item)
        return;
    const FileClick click = FileClick::of(folder_, item->text());
    if (click.enablesPreview) {
        Command2_->setEnabled(true);
        Command10_->setEnabled(true);
    }
    if (click.tagSource != FileClick::TagSource::None)
        showFileTags(click);
}

void Form1::showFileTags(const FileClick& click)
{
    const FileTagFields fields = fileTags_.readFileTags(click.fullPath);
    for (const auto& [field, box] : fileTagBoxes())
        box->setText(fields.value(field));
}

// Saves into the file whose tags the fields show; neither the fields nor the lists
// are refreshed, and without a file nothing happens.
void Form1::Command5_Click()
{
    const QListWidgetItem* item = File1_->currentItem();
    if (!item)
        return;
    FileTagFields fields;
    for (const auto& [field, box] : fileTagBoxes())
        fields.put(field, box->text());
    fileTags_.saveFileTags(FileClick::of(folder_, item->text()).fullPath, fields);
}

// Banner commands

void Form1::runGame()
{
    GameLauncher::run(shared_.GameDir, registry_.winePrefix(), *this, lookup());
}

void Form1::openSetup()
{
    Form2* dialog = setupDialog();
    if (!dialog->load())
        return;
    dialog->show();
    dialog->raise();
}

void Form1::openAbout()
{
    frmAbout* about = aboutBox();
    about->show();
    about->raise();
}

void Form1::exitProgram()
{
    closeOtherWindows();
    close();
}

void Form1::closeEvent(QCloseEvent* event)
{
    unloadSequence();
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
}

// Safe to run more than once: each window is closed only while it is there.
void Form1::unloadSequence()
{
    ending_ = true;
    closeOtherWindows();
}

void Form1::closeOtherWindows()
{
    unloadProgress();
    if (splash_)
        splash_->close();
    if (setupDialog_)
        setupDialog_->hide();
    if (aboutBox_)
        aboutBox_->hide();
}

TextLookup Form1::lookup() const
{
    return [this](const QString& key) { return texts_.text(key); };
}

}  // namespace sonorelle
