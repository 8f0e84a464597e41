#include "ui/Form1.h"

#include "app/GameLauncher.h"
#include "controls/ccXPButton.h"
#include "ui/ApplyLanguage.h"
#include "ui/Banner.h"
#include "ui/FileBrowserPanel.h"
#include "ui/Form2.h"
#include "ui/SongPanel.h"
#include "ui/frmAbout.h"
#include "ui/frmProgress.h"
#include "ui/frmSplash.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMessageBox>
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
    : session_(std::move(registry), *this, *this, executableDir, commandLine)
    , Picture1_(new Banner(this))
    , songs_(new SongPanel(session_))
    , files_(new FileBrowserPanel(session_))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Sonorelle"));
    session_.gate().setControls(this);
    session_.preview().setPlayer(&player_);

    auto* body = new QHBoxLayout;
    body->setContentsMargins(8, 6, 8, 8);
    body->setSpacing(10);
    body->addWidget(songs_, 1);
    body->addWidget(files_, 1);
    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(Picture1_);
    rows->addLayout(body, 1);
    setCentralWidget(central);

    connect(Picture1_, &Banner::runGame, this, &Form1::runGame);
    connect(Picture1_, &Banner::openSetup, this, &Form1::openSetup);
    connect(Picture1_, &Banner::openAbout, this, &Form1::openAbout);
    connect(Picture1_, &Banner::exitProgram, this, &Form1::exitProgram);
    resize(605, 461);
}

Form1::~Form1()
{
    session_.gate().setControls(nullptr);
}

bool Form1::start()
{
    const StartupOutcome outcome = session_.FormLoad();
    if (outcome == StartupOutcome::Completed)
        show();
    return outcome != StartupOutcome::Ended;
}

void Form1::FormLoad()
{
    if (session_.FormLoad() == StartupOutcome::Completed)
        show();
}

frmProgress* Form1::progressWindow()
{
    if (!progress_) {
        progress_ = new frmProgress(this);
        if (!session_.texts().file().isEmpty())
            ApplyWindowCaptions(session_.texts(), LanguageWindow::Progress, *progress_);
    }
    return progress_;
}

Form2* Form1::setupDialog()
{
    if (!setupDialog_) {
        setupDialog_ = new Form2(session_.setup(), session_.texts(), this);
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
        ApplyWindowCaptions(session_.texts(), LanguageWindow::About, *aboutBox_);
    }
    return aboutBox_;
}

// Busy state

QList<QWidget*> Form1::workingControls() const
{
    return songs_->workingControls() + files_->workingControls();
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
    splash_ = new frmSplash(session_.registry(), this);
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
    session_.preview().MciStopFile();
    closeOtherWindows();
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void Form1::placeFileBrowser(const QString& folder)
{
    files_->place(folder);
}

void Form1::setPlaylistButtonEnabled(bool enabled)
{
    files_->setPlaylistButtonEnabled(enabled);
}

void Form1::selectFirstSongIfNone()
{
    songs_->selectFirstSongIfNone();
}

void Form1::unloadProgress()
{
    delete progress_;
    progress_ = nullptr;
}

void Form1::ApplyLanguage(const LanguageTexts& texts)
{
    sonorelle::ApplyLanguage(texts, *this);
    // Translations differ in length: no button of the window gets narrower than its caption.
    for (ccXPButton* button : findChildren<ccXPButton*>()) {
        const QSize caption = button->fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, button->text());
        button->setMinimumWidth(caption.width() + 10);
    }
}

void Form1::ExpRightClickMenu()
{
    // Registration with the file managers belongs to the desktop integration, which
    // is not part of the program yet: nothing is written.
}

void Form1::songListLoaded()
{
    songs_->showSongLines();
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

// Banner commands

void Form1::runGame()
{
    GameLauncher::run(session_.shared().GameDir, session_.registry().winePrefix(), *this, session_.lookup());
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
    session_.preview().MciStopFile();
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

}  // namespace sonorelle
