#pragma once

#include <QString>
#include <QStringList>

namespace sonorelle {

// "Add to Sonorelle" in the desktop's file managers, for MP3, WAV and CD track files:
// an Open With entry, a Dolphin service menu and a Nautilus script, each starting the
// program with the chosen file.
class FileManagerEntries {
public:
    // The three files, relative to the data folder.
    static const QString OpenWithFile;
    static const QString ServiceMenuFile;
    static const QString NautilusScriptFile;
    static const QStringList MimeTypes;

    // program is the absolute path of the program to start.
    explicit FileManagerEntries(QString program);

    // Writes the three files below dataHome (each replaced whole); the files it
    // could not write. They are never removed: the next start writes them again
    // with the program's path of the day.
    QStringList writeTo(const QString& dataHome) const;

    QString openWithEntry() const;
    QString serviceMenu() const;
    QString nautilusScript() const;

    // $XDG_DATA_HOME, or ~/.local/share when it is not set.
    static QString dataHome();

private:
    QString execLine() const;

    QString program_;
};

}  // namespace sonorelle
