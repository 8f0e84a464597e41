#pragma once

#include "app/Feedback.h"
#include "app/SetupChoices.h"
#include "app/SharedValues.h"
#include "app/StartupHost.h"
#include "app/StartupSequence.h"
#include "app/StartupSteps.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "songdata/SlotList.h"
#include "songdata/SongDataContext.h"
#include "songdata/TagRecord.h"
#include "ui/LanguageWindowProvider.h"

#include <QMainWindow>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace sonorelle {

class Form2;
class frmAbout;
class frmProgress;
class frmSplash;

// The main window. It owns the program-wide values and the other windows, tells the
// person what the core reports, and runs start-up when it loads.
class Form1 : public QMainWindow,
              public Feedback,
              public StartupHost,
              public StartupSteps,
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

    SharedValues& shared() { return shared_; }
    frmProgress* progressWindow();

    // Feedback
    void message(const QString& text, const QString& caption, MessageIcon icon) override;
    void setStatus(const QString& text) override;
    void showProgress() override;
    void hideProgress() override;
    void changeProgress(const QString& detail, double done, double total) override;
    bool cancelRequested() const override;
    void clearCancel() override;
    void processEvents() override;

    // StartupHost
    void showSplash() override;
    void hideSplash() override;
    void openSetupForFirstRun() override;
    void closeProgram() override;
    void placeFileBrowser(const QString& folder) override;
    void setPlaylistButtonEnabled(bool enabled) override;
    void fillDriveList(const QList<CdUnit>& units) override;
    void selectDriveListEntry(int index) override;
    QStringList driveListEntries() const override;
    int driveListSelection() const override;
    void selectFirstSongIfNone() override;
    void unloadProgress() override;

    // StartupSteps
    void ApplyLanguage(const LanguageTexts& texts) override;
    bool CheckDrive(const QString& path) override;
    void ExpRightClickMenu() override;
    void FirstRun() override;
    void NameExpert() override;
    void GoCMD() override;

    // LanguageWindowProvider
    QWidget* languageWindow(LanguageWindow window) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Form2* setupDialog();
    frmAbout* aboutBox();
    void closeOtherWindows();
    SongDataContext songData();

    SharedValues shared_;
    Registry registry_;
    LanguageTexts texts_;
    SetupChoices setup_;
    StartupSequence sequence_;
    SlotList slotList_;
    TagRecord StrTg_;

    QGroupBox* Frame1_;
    QListWidget* lstSong_;
    QGroupBox* Frame2_;
    QLabel* Dir1_;
    QPushButton* Command17_;
    QComboBox* DriveList_;

    frmProgress* progress_ = nullptr;
    frmSplash* splash_ = nullptr;
    Form2* setupDialog_ = nullptr;
    frmAbout* aboutBox_ = nullptr;
    bool ending_ = false;
};

}  // namespace sonorelle
