#pragma once

#include "adding/AddReport.h"
#include "app/Feedback.h"
#include "app/OperationGate.h"
#include "app/Session.h"
#include "app/StartupHost.h"
#include "playback/MediaPlayer.h"
#include "ui/LanguageWindowProvider.h"

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QStringList>

namespace sonorelle {

class Banner;
class FileBrowserPanel;
class Form2;
class SongPanel;
class frmAbout;
class frmProgress;
class frmSplash;
class frmWinAmp;

// The main window: the frame that holds the banner, the song panel and the file
// browser panel, wires them to the session, tells the person what the core reports
// and owns the program's other windows.
class Form1 : public QMainWindow,
              public Feedback,
              public StartupHost,
              public WorkingControls,
              public LanguageWindowProvider {
    Q_OBJECT

public:
    // executableDir stands in for a missing "InstallDir"; commandLine is the text after
    // the program's name.
    Form1(Registry registry, const QString& executableDir, const QString& commandLine);
    ~Form1() override;

    // Runs start-up and shows the window when it completes; false when it ended the
    // program.
    bool start();

    // Start-up once more (the Setup dialog's Close).
    void FormLoad();

    // A later start's command line, handed over by SingleWindow: the window comes to
    // the front and the file it names is added as GoCMD adds one, after the start-up
    // or operation in progress.
    void addFromCommandLine(const QString& commandLine);

    Session& session() { return session_; }
    frmProgress* progressWindow();

    // WorkingControls: off while a long operation runs, on again after it.
    void Upr_Disabled() override;
    void Upr_Enabled() override;

    // Feedback
    void message(const QString& text, const QString& caption, MessageIcon icon) override;
    void setStatus(const QString& text) override;
    void showProgress() override;
    void hideProgress() override;
    void changeProgress(const QString& detail, double done, double total) override;
    bool cancelRequested() const override;
    void clearCancel() override;
    void processEvents() override;
    bool confirm(const QString& question, const QString& caption) override;

    // StartupHost
    void showSplash() override;
    void hideSplash() override;
    void openSetupForFirstRun() override;
    void closeProgram() override;
    void placeFileBrowser(const QString& folder) override;
    void selectFirstSongIfNone() override;
    void unloadProgress() override;
    void ApplyLanguage(const LanguageTexts& texts) override;
    void ExpRightClickMenu() override;
    void songListLoaded() override;
    void GoCMD() override;

    // LanguageWindowProvider
    QWidget* languageWindow(LanguageWindow window) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class WorkFolder { Store, Leave };
    // One add run over sources in order, with the progress window; what it added.
    AddReport addFiles(const QStringList& sources, WorkFolder workFolder);
    void addCheckedPlaylistEntries();

    void showStarted();
    void addPending();
    void bringToFront();

    QList<QWidget*> workingControls() const;
    void setWorkingControlsEnabled(bool enabled);

    // Banner commands
    void runGame();
    void openSetup();
    void openAbout();
    void exitProgram();
    void unloadSequence();

    Form2* setupDialog();
    frmAbout* aboutBox();
    frmWinAmp* playlistWindow();
    void openPlaylist();
    void closeOtherWindows();

    Session session_;
    // After the session: the player reports its errors through the session. A child of
    // the window, so what plays can be watched from outside.
    MediaPlayer player_;
    Banner* Picture1_;
    SongPanel* songs_;
    FileBrowserPanel* files_;
    frmProgress* progress_ = nullptr;
    frmSplash* splash_ = nullptr;
    Form2* setupDialog_ = nullptr;
    frmAbout* aboutBox_ = nullptr;
    frmWinAmp* playlistWindow_ = nullptr;
    bool ending_ = false;
    QHash<QWidget*, QString> tipsBeforeRun_;
    bool started_ = false;
    bool commandLineAdded_ = false;
    QStringList pendingAdds_;
};

}  // namespace sonorelle
