#include "ui/Form1.h"

#include "adding/AddRun.h"
#include "adding/CdTrackPathSource.h"
#include "app/GameLauncher.h"
#include "app/SettingsKeys.h"
#include "audio/PreviewRoute.h"
#include "controls/ccXPButton.h"
#include "ui/ApplyLanguage.h"
#include "ui/Banner.h"
#include "ui/FileBrowserPanel.h"
#include "ui/Form2.h"
#include "ui/MessageBoxIcon.h"
#include "ui/SongPanel.h"
#include "ui/frmAbout.h"
#include "ui/frmProgress.h"
#include "ui/frmSplash.h"
#include "ui/frmWinAmp.h"
#include "platform/FileManagerEntries.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

namespace sonorelle {

Form1::Form1(Registry registry, const QString& executableDir, const QString& commandLine)
    : session_(std::move(registry), *this, *this, executableDir, commandLine)
    , player_(this)
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

    // Tab runs through the songs, the files, then the banner's commands.
    QWidget* previous = files_->lastInTabOrder();
    setTabOrder(songs_->lastInTabOrder(), files_->firstInTabOrder());
    for (QWidget* command : Picture1_->commandsInTabOrder()) {
        setTabOrder(previous, command);
        previous = command;
    }

    connect(Picture1_, &Banner::runGame, this, &Form1::runGame);
    connect(Picture1_, &Banner::openSetup, this, &Form1::openSetup);
    connect(Picture1_, &Banner::openAbout, this, &Form1::openAbout);
    connect(Picture1_, &Banner::exitProgram, this, &Form1::exitProgram);
    connect(files_, &FileBrowserPanel::playlistRequested, this, &Form1::openPlaylist);
    connect(files_, &FileBrowserPanel::addRequested, this,
            [this] { addFiles(files_->selectedFiles(), WorkFolder::Store); });
    connect(songs_, &SongPanel::filesDropped, this,
            [this](const QStringList& paths) { addFiles(paths, WorkFolder::Leave); });
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
        showStarted();
    return outcome != StartupOutcome::Ended;
}

void Form1::FormLoad()
{
    if (session_.FormLoad() == StartupOutcome::Completed)
        showStarted();
}

void Form1::showStarted()
{
    show();
    // The keyboard starts where nothing is destroyed by Enter or Space.
    songs_->setFocus(Qt::OtherFocusReason);
    started_ = true;
    addPending();
}

void Form1::addFromCommandLine(const QString& commandLine)
{
    if (!commandLine.trimmed().isEmpty())
        pendingAdds_.append(commandLine);
    bringToFront();
    QTimer::singleShot(0, this, &Form1::addPending);
}

void Form1::addPending()
{
    // A file handed over while start-up or another operation runs waits its turn:
    // the end of that operation comes back here.
    while (started_ && !session_.gate().isBusy() && !pendingAdds_.isEmpty())
        addFiles({pendingAdds_.takeFirst().trimmed()}, WorkFolder::Store);
}

void Form1::bringToFront()
{
    QWidget* front = setupDialog_ && setupDialog_->isVisible() ? static_cast<QWidget*>(setupDialog_) : this;
    if (!front->isVisible())
        return;
    front->setWindowState((front->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    front->raise();
    front->activateWindow();
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

frmWinAmp* Form1::playlistWindow()
{
    if (!playlistWindow_) {
        playlistWindow_ = new frmWinAmp(session_, this);
        connect(playlistWindow_, &frmWinAmp::addChecked, this, &Form1::addCheckedPlaylistEntries);
        // The playlist plays what the player opens itself, MP3 and WAV files.
        connect(playlistWindow_, &frmWinAmp::play, this, [this](const QString& path) {
            if (PreviewRouteOf(QFileInfo(path).suffix().toLower()) == PreviewRoute::Direct)
                session_.preview().MciPlayFile(path);
        });
        connect(playlistWindow_, &frmWinAmp::stop, this, [this] { session_.preview().MciStopFile(); });
        ApplyWindowCaptions(session_.texts(), LanguageWindow::Playlist, *playlistWindow_);
        playlistWindow_->loadPlayerList();
    }
    return playlistWindow_;
}

void Form1::openPlaylist()
{
    frmWinAmp* window = playlistWindow();
    window->show();
    window->raise();
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
    // A disabled control says why it is.
    const QString busy = session_.texts().textOr(QStringLiteral("tipBusy"),
                                                 QStringLiteral("Wait until the running operation has finished."));
    for (QWidget* control : workingControls()) {
        tipsBeforeRun_.insert(control, control->toolTip());
        control->setToolTip(busy);
    }
}

void Form1::Upr_Enabled()
{
    setWorkingControlsEnabled(true);
    for (auto tip = tipsBeforeRun_.cbegin(); tip != tipsBeforeRun_.cend(); ++tip)
        tip.key()->setToolTip(tip.value());
    tipsBeforeRun_.clear();
    QTimer::singleShot(0, this, &Form1::addPending);
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
    // The main window is hidden: the dialog would open wherever the window manager puts it.
    dialog->adjustSize();
    dialog->move(dialog->screen()->availableGeometry().center() - dialog->rect().center());
    dialog->show();
    hide();
}

void Form1::closeProgram()
{
    ending_ = true;
    session_.preview().MciStopFile();
    session_.cd().closeAll();
    closeOtherWindows();
    hide();
    QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

void Form1::placeFileBrowser(const QString& folder)
{
    files_->place(folder);
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
    // Nor lower: a small window must not squash a caption off its button.
    for (ccXPButton* button : findChildren<ccXPButton*>()) {
        const QSize caption = button->fontMetrics().size(Qt::TextSingleLine | Qt::TextShowMnemonic, button->text());
        button->setMinimumSize(caption.width() + 10, caption.height() + 8);
    }
}

void Form1::ExpRightClickMenu()
{
    // Start-up goes on whatever happens: a file manager without the entry is no
    // reason to stop the program.
    FileManagerEntries(session_.shared().ProgramDir + QStringLiteral("/sonorelle"))
        .writeTo(FileManagerEntries::dataHome());
}

void Form1::songListLoaded()
{
    songs_->showSongLines();
}

void Form1::GoCMD()
{
    // The arguments joined with blanks are one path: a file manager may split a path
    // with blanks into several words.
    // Start-up runs again after each Setup; the file is added once all the same.
    const QString file = session_.shared().CmdLine.trimmed();
    if (file.isEmpty() || commandLineAdded_)
        return;
    commandLineAdded_ = true;
    addFiles({file}, WorkFolder::Store);
}

AddReport Form1::addFiles(const QStringList& sources, WorkFolder workFolder)
{
    // The rip needs the drive the preview would read.
    session_.cd().stopCD();
    CdTrackPathSource cdTracks(session_.units());
    AddRun run(session_.document(), session_.shared(), session_.lookup(), sources, &cdTracks);
    clearCancel();
    showProgress();
    const OperationResult result = session_.run(run);
    hideProgress();
    if (result.outcome == OperationResult::Outcome::Refused)
        return {};
    songs_->showSongLines();
    const AddReport& report = run.report();
    if (!report.added.isEmpty())
        songs_->selectSong(report.added.last().index);
    if (workFolder == WorkFolder::Store && report.ranToEnd)
        session_.registry().WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::LastWorkDir,
                                          files_->folder());
    // The run's end tells what happened whenever something was not added.
    if (!result.problems.isEmpty())
        message(result.summary + QStringLiteral("\n\n") + result.problems.join(u'\n'), session_.texts().messageCaption(),
                MessageIcon::Warning);
    if (report.wrongCdDrive)
        openSetup();
    return report;
}

void Form1::addCheckedPlaylistEntries()
{
    const QList<frmWinAmp::Entry> checked = playlistWindow()->checkedEntries();
    QStringList sources;
    for (const frmWinAmp::Entry& entry : checked)
        sources.append(entry.path);
    const AddReport report = addFiles(sources, WorkFolder::Leave);
    // An entry that became a song loses its check mark; a skipped or failed one keeps it.
    qsizetype next = 0;
    for (const AddedSong& song : report.added) {
        while (next < checked.size() && checked[next].path != song.source)
            ++next;
        if (next < checked.size())
            playlistWindow()->setChecked(checked[next++].row, false);
    }
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
        return playlistWindow();
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
    session_.cd().closeAll();
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
    if (playlistWindow_)
        playlistWindow_->hide();
}

}  // namespace sonorelle
