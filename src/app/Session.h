#pragma once

#include "adding/clsM3UReader.h"
#include "app/CdUnitList.h"
#include "app/OperationGate.h"
#include "app/SetupChoices.h"
#include "app/SharedValues.h"
#include "app/StartupSequence.h"
#include "app/StartupSteps.h"
#include "audio/CDClass.h"
#include "audio/FileTagEditor.h"
#include "audio/Id3Values.h"
#include "audio/PreviewPlayer.h"
#include "lang/LanguageTexts.h"
#include "platform/GameLock.h"
#include "platform/Registry.h"
#include "songdata/SongListDocument.h"
#include "songdata/TagRecord.h"

#include <optional>

namespace sonorelle {

class Feedback;
class Operation;
class StartupHost;
struct OperationResult;
struct SlotTagFields;

// The program's core, built once by each front end: the values start-up establishes,
// the settings store, the language texts, the Setup choices, the CD units, the song
// list and the tag editors, and the steps of start-up that are the same for the
// window and the command line. A front end supplies only how it talks to the person
// (Feedback) and its side of start-up (StartupHost).
//
// Everything that writes the game's files goes through the session's gate: while one
// such operation runs, a second is refused; and it holds the game's lock, so another
// process (a second window's start, sonorelle-cli) never writes at the same time.
class Session : public StartupSteps {
public:
    // executableDir stands in for a missing "InstallDir"; commandLine is the text after
    // the program's name (the file start-up adds). feedback and host must outlive the
    // session; neither is called before FormLoad.
    Session(Registry registry, Feedback& feedback, StartupHost& host, const QString& executableDir,
            const QString& commandLine);

    // The whole start-up; run again by the Setup dialog's Close.
    StartupOutcome FormLoad();

    // For work on a person's own files, which needs neither the game nor the Setup:
    // finds the program's folder and loads the stored language (English when none is
    // stored or it is gone).
    void startWithoutGame();

    Feedback& feedback() { return feedback_; }
    SharedValues& shared() { return shared_; }
    Registry& registry() { return registry_; }
    LanguageTexts& texts() { return texts_; }
    SetupChoices& setup() { return setup_; }
    CdUnitList& units() { return units_; }
    SongListDocument& document() { return document_; }
    FileTagEditor& fileTags() { return fileTags_; }
    Id3Values& id3() { return id3_; }
    OperationGate& gate() { return gate_; }
    // Preview playback; the window gives it the program's player.
    PreviewPlayer& preview() { return preview_; }
    // CD track preview through the same player.
    CDClass& cd() { return cd_; }
    SongDataContext songData();
    // A playlist reader that looks up Windows paths in the game's Wine prefix and
    // reads text that is not UTF-8 in the tag code page.
    clsM3UReader playlistReader() const;
    TextLookup lookup() const;

    // A list edit of the document (MoveUp, MoveDown, Shuffle, Delete) with the gate
    // held for it, put-back included: the selection to show next, or nothing when
    // another operation runs.
    std::optional<int> editSongList(int (SongListDocument::*edit)(int), int selected);
    // The save-tags buttons, through the gate; nothing when refused. selected follows
    // the song when the list on disk had changed.
    std::optional<bool> saveSlotTags(int& selected, const SlotTagFields& fields);
    std::optional<FileTagEditor::SaveResult> saveFileTags(const QString& path, const FileTagFields& fields);
    // A long operation through the gate; Refused when another runs.
    OperationResult run(Operation& operation);

    // StartupSteps
    void ApplyLanguage(const LanguageTexts& texts) override;
    bool CheckDrive(const QString& path) override;
    void ExpRightClickMenu() override;
    void FirstRun() override;
    void NameExpert() override;
    void GoCMD() override;

private:
    // Held for one operation; with the game's lock when it changes the game's files.
    struct WritePass {
        OperationGate::Pass pass;
        std::optional<GameLock> lock;
    };
    enum class Touches { Game, OwnFilesOnly };
    std::optional<WritePass> enterGate(Touches touches = Touches::Game);
    // The gate for work on the game, and where the selected song is in the list on
    // disk, which another window or sonorelle-cli may have changed since it was read;
    // nothing when refused or when that song is gone (told).
    struct SongPass {
        WritePass pass;
        int song;
    };
    std::optional<SongPass> enterForSong(int selected);

    Feedback& feedback_;
    StartupHost& host_;
    Registry registry_;
    SharedValues shared_;
    LanguageTexts texts_;
    CdUnitList units_;
    SetupChoices setup_;
    StartupSequence sequence_;
    QString executableDir_;
    TagRecord StrTg_;
    SongListDocument document_;
    Id3Values id3_;
    FileTagEditor fileTags_;
    OperationGate gate_;
    PreviewPlayer preview_;
    CDClass cd_;
};

}  // namespace sonorelle
