#pragma once

#include "app/Feedback.h"
#include "app/SetupChoices.h"
#include "app/SharedValues.h"
#include "app/StartupHost.h"
#include "app/StartupSequence.h"
#include "app/StartupSteps.h"
#include "audio/FileTagEditor.h"
#include "audio/Id3Values.h"
#include "lang/LanguageTexts.h"
#include "platform/CdUnits.h"
#include "platform/Registry.h"
#include "songdata/SongListDocument.h"
#include "songdata/TagRecord.h"
#include "ui/BrowserDrive.h"
#include "ui/FileClick.h"
#include "ui/LanguageWindowProvider.h"

#include <QList>
#include <QMainWindow>

#include <utility>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace sonorelle {

class BannerPicture;
class ClickableImage;
class Form2;
class frmAbout;
class ccXPButton;
class frmProgress;
class frmSplash;

// The main window. It owns the program-wide values and the other windows, tells the
// person what the core reports, runs start-up when it loads and routes every command
// to the part of the program that does the work.
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
    SongListDocument& songList() { return songs_; }
    frmProgress* progressWindow();

    // The working controls off while a long operation runs, and on again after it.
    void Upr_Disabled();
    void Upr_Enabled();

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
    void buildBanner();
    QWidget* buildSongSide();
    QWidget* buildFileSide();
    QGroupBox* buildTagPanel(const char* frameName, const QList<QLineEdit*>& fields, const QList<QLabel*>& captions,
                             ccXPButton* save);
    void connectCommands();
    QList<QWidget*> workingControls() const;
    void setWorkingControlsEnabled(bool enabled);

    // Song slots
    void lstSong_Click();
    void showSongLines();
    void selectSong(int index);
    void Command4_Click();
    void editSongList(int (SongListDocument::*edit)(int));

    // File browser
    void Drive1_Change(int index);
    void showFolder(const QString& folder);
    void Dir1_Activated(QTreeWidgetItem* item);
    void File1_Click();
    void ClearFileTagBoxes();
    void showFileTags(const FileClick& click);
    void Command5_Click();
    // Each file tag field with the text box that shows it.
    QList<std::pair<FileTagField, QLineEdit*>> fileTagBoxes() const;

    // Banner commands
    void runGame();
    void openSetup();
    void openAbout();
    void exitProgram();
    void unloadSequence();

    Form2* setupDialog();
    frmAbout* aboutBox();
    void closeOtherWindows();
    TextLookup lookup() const;
    int selectedSong() const;

    SharedValues shared_;
    Registry registry_;
    LanguageTexts texts_;
    SetupChoices setup_;
    StartupSequence sequence_;
    TagRecord StrTg_;
    SongListDocument songs_;
    Id3Values id3_;
    FileTagEditor fileTags_;
    QList<CdUnit> cdUnits_;
    QList<BrowserDrive> drives_;
    int currentDrive_ = -1;
    QString folder_;

    BannerPicture* Picture1_;
    ClickableImage* Image3_;
    ClickableImage* Label14_;
    ClickableImage* Image4_;
    ClickableImage* Label5_;
    ClickableImage* Image1_;
    ClickableImage* Label3_;
    ClickableImage* Image2_;
    ClickableImage* Label13_;

    QGroupBox* Frame1_;
    ccXPButton* Command8_;
    ccXPButton* Command9_;
    ccXPButton* Command11_;
    ccXPButton* Command12_;
    QListWidget* lstSong_;
    QPushButton* Command18_;
    QPushButton* Command19_;
    QPushButton* Command20_;

    QGroupBox* Frame2_;
    ccXPButton* Command1_;
    ccXPButton* Command17_;
    ccXPButton* Command2_;
    ccXPButton* Command10_;
    QComboBox* Drive1_;
    QTreeWidget* Dir1_;
    QListWidget* File1_;

    QGroupBox* Frame3_ = nullptr;
    QLineEdit* txtStrTitle_;
    QLineEdit* txtStrArtist_;
    QLineEdit* txtStrAlbum_;
    QLineEdit* txtStrDate_;
    QLineEdit* txtStrComment_;
    QLabel* Label11_;
    QLabel* Label12_;
    QLabel* Label9_;
    QLabel* Label8_;
    QLabel* Label7_;
    ccXPButton* Command4_;

    QGroupBox* Frame4_ = nullptr;
    QLineEdit* txtTitle_;
    QLineEdit* txtArtist_;
    QLineEdit* txtAlbum_;
    QLineEdit* txtDate_;
    QLineEdit* txtComment_;
    QLabel* label1_;
    QLabel* Label2_;
    QLabel* Label10_;
    QLabel* Label4_;
    QLabel* Label6_;
    ccXPButton* Command5_;

    QComboBox* DriveList_;

    frmProgress* progress_ = nullptr;
    frmSplash* splash_ = nullptr;
    Form2* setupDialog_ = nullptr;
    frmAbout* aboutBox_ = nullptr;
    bool ending_ = false;
};

}  // namespace sonorelle
