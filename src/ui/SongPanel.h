#pragma once

#include <QList>
#include <QWidget>

class QGroupBox;
class QListWidget;
class QPushButton;

namespace sonorelle {

class Session;
class SongListDocument;
class TagPanel;
class ccXPButton;

// The song side of the main window: the game's song list with its commands (delete,
// play, stop, export; move up, move down, shuffle) and the selected song's tags.
class SongPanel : public QWidget {
    Q_OBJECT

public:
    explicit SongPanel(Session& session, QWidget* parent = nullptr);

    // Refills lstSong from the session's song list; selects nothing and leaves the
    // tag fields as they are.
    void showSongLines();
    // Every selection made by a command shows that song's tags, as a click would.
    void selectSong(int index);
    void selectFirstSongIfNone();
    int selectedSong() const;

    // The controls a running operation switches off.
    QList<QWidget*> workingControls() const;
    // Where the panel's tab chain ends (it starts at the song list, the focus proxy).
    QWidget* lastInTabOrder() const;

protected:
    // The Delete key in the song list deletes the selected song, as Command8 does;
    // files dropped on it from a file manager are added.
    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    // Local files dropped on the song list, in the dropped order.
    void filesDropped(const QStringList& paths);

private:
    void lstSong_Click();
    void Command4_Click();
    void Command9_Click();
    void Command12_Click();
    void editSongList(int (SongListDocument::*edit)(int));
    void showRefusedEdit(int selected);

    Session& session_;
    QGroupBox* Frame1_;
    ccXPButton* Command8_;
    ccXPButton* Command9_;
    ccXPButton* Command11_;
    ccXPButton* Command12_;
    QListWidget* lstSong_;
    QPushButton* Command18_;
    QPushButton* Command19_;
    QPushButton* Command20_;
    TagPanel* Frame3_;
};

}  // namespace sonorelle
