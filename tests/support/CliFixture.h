#pragma once

#include "platform/Registry.h"
#include "support/GameFixture.h"

#include <QMap>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace sonorelle::test {

// A generated game with the Setup done (first CD unit), and the real sonorelle-cli
// run on it as a child process with its own settings store and data folder.
class CliFixture : public ::testing::Test {
protected:
    CliFixture();

    struct Run {
        int exitCode = -1;
        QString out;
        QString err;
        // Ended with this exit code, `told` on stderr and nothing on stdout.
        void expectFailure(int expectedExitCode, const QString& told) const;
    };
    Run cli(const QStringList& arguments, const QMap<QString, QString>& environment = {}) const;
    // The same, started and left running; finished() waits for it.
    std::unique_ptr<QProcess> startCli(const QStringList& arguments, const QMap<QString, QString>& environment = {}) const;
    static Run finished(QProcess& process);
    // The lines of `list`, without their index.
    QStringList listed() const;
    QStringList archivedStreams() const;

    // Replaces the game with one holding these songs.
    void useSongs(const QList<DemoSong>& songs);
    // "InstallDir" becomes a program folder of its own: the built addon3, addon2 (or
    // this shell script in its place) and a languages folder holding English.lng.
    QString useProgramFolder(const QByteArray& addon2Script = {});

    void set(const QString& valueName, const QString& text);
    QString setting(const QString& valueName) const;

    QTemporaryDir home;
    std::unique_ptr<GameFixture> game;
    Registry registry;
};

}  // namespace sonorelle::test
