#include "ui/Form1.h"

#include "app/Form2.h"
#include "songdata/FirstRun.h"
#include "songdata/SongListLoader.h"
#include "ui/ApplyLanguage.h"
#include "ui/frmAbout.h"
#include "ui/frmProgress.h"
#include "ui/frmSplash.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include <utility>

namespace sonorelle {

namespace {

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

}  // namespace

Form1::Form1(Registry registry, const QString& executableDir, const QString& commandLine)
    : registry_(std::move(registry)),
      setup_(StartupContext{shared_, registry_, *this, *this, *this, texts_}),
      sequence_(StartupContext{shared_, registry_, *this, *this, *this, texts_}, setup_, executableDir,
                commandLine),
      Frame1_(new QGroupBox(this)),
      lstSong_(new QListWidget(Frame1_)),
      Frame2_(new QGroupBox(this)),
      Dir1_(new QLabel(Frame2_)),
      Command17_(new QPushButton(QStringLiteral("WinAmp"), Frame2_)),
      DriveList_(new QComboBox(this))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Sonorelle"));
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    lstSong_->setObjectName(QStringLiteral("lstSong"));
    Frame2_->setObjectName(QStringLiteral("Frame2"));
    Dir1_->setObjectName(QStringLiteral("Dir1"));
    Dir1_->setWordWrap(true);
    Dir1_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    Command17_->setObjectName(QStringLiteral("Command17"));
    // The CD unit list is never shown: the ripper and the Setup dialog read it.
    DriveList_->setObjectName(QStringLiteral("DriveList"));
    DriveList_->hide();

    auto* songs = new QVBoxLayout(Frame1_);
    songs->addWidget(lstSong_);
    auto* browser = new QVBoxLayout(Frame2_);
    browser->addWidget(Command17_, 0, Qt::AlignLeft);
    browser->addWidget(Dir1_, 1);
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);
    columns->addWidget(Frame1_, 1);
    columns->addWidget(Frame2_, 1);
    setCentralWidget(central);
    resize(605, 461);
}

Form1::~Form1() = default;

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
    Dir1_->setText(folder);
}

void Form1::setPlaylistButtonEnabled(bool enabled)
{
    Command17_->setEnabled(enabled);
}

void Form1::fillDriveList(const QList<CdUnit>& units)
{
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
    if (lstSong_->count() > 0 && lstSong_->currentRow() < 0)
        lstSong_->setCurrentRow(0);
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
}

bool Form1::CheckDrive(const QString& path)
{
    const QStorageInfo volume(path);
    return volume.isValid() && volume.isReady();
}

void Form1::ExpRightClickMenu()
{
    // Registration with the file managers belongs to the command-line integration,
    // which is not part of the program yet: nothing is written.
}

void Form1::FirstRun()
{
    sonorelle::FirstRun(AudioFolder(shared_.GameAudioDir), StrTg_, registry_);
}

void Form1::NameExpert()
{
    const QStringList lines = SongListLoader::NameExpert(slotList_, StrTg_, songData());
    lstSong_->clear();
    lstSong_->addItems(lines);
}

SongDataContext Form1::songData()
{
    return SongDataContext{shared_, *this, [this](const QString& key) { return texts_.text(key); }};
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

void Form1::closeEvent(QCloseEvent* event)
{
    ending_ = true;
    closeOtherWindows();
    QMainWindow::closeEvent(event);
    QCoreApplication::quit();
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

}  // namespace sonorelle
