#pragma once

#include "adding/clsM3UReader.h"

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QListWidget;

namespace sonorelle {

class Session;
class ccXPButton;

// The playlist window: a playlist's entries with a check box each, for adding many
// songs in one run. It opens on the playlist player's current list and loads any
// M3U, M3U8, PLS or XSPF file the person picks.
class frmWinAmp : public QWidget {
    Q_OBJECT

public:
    frmWinAmp(Session& session, QWidget* owner);

    // The player's current list (winamp.m3u in its folder); empty without a player.
    void loadPlayerList();
    // Reads path anew into the list.
    void loadPlaylist(const QString& path);

    struct Entry {
        int row;
        QString path;
    };
    QList<Entry> checkedEntries() const;
    void setChecked(int row, bool checked);
    QString selectedPath() const;

    // A path longer than 60 characters as its first 25, "  . . .  " and its last 25.
    static QString shownPath(const QString& path);

signals:
    void addChecked();
    void play(const QString& path);
    void stop();

private:
    void Command1_Click();
    void fill();
    void showSelectedPath();
    void checkAll(bool checked);

    Session& session_;
    clsM3UReader reader_;
    QListWidget* listview1_;
    QLabel* label1_;
    ccXPButton* Command1_;
    ccXPButton* Command2_;
    ccXPButton* Command3_;
    ccXPButton* Command4_;
    ccXPButton* Command5_;
    ccXPButton* Command6_;
    ccXPButton* Command7_;
    ccXPButton* Command8_;
};

}  // namespace sonorelle
