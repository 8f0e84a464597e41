#pragma once

#include "app/CdUnitList.h"
#include "support/RecordingStartupHost.h"
#include "app/SetupChoices.h"
#include "app/SharedValues.h"
#include "app/StartupSequence.h"
#include "lang/LanguageTexts.h"
#include "platform/Registry.h"
#include "support/RecordingFeedback.h"

#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace sonorelle::test {

// A complete installation in a temporary folder: the program folder with its tools
// and a language file, a game with an audio archive, a settings store and a Wine
// prefix. Each test changes what it is about and runs start-up.
class StartupFixture : public ::testing::Test {
protected:
    StartupFixture();

    QString path(const QString& relative) const { return root_.filePath(relative); }
    void writeFile(const QString& relative, const QByteArray& content) const;
    // A language file with its [Global] facts and the texts given for [Translate].
    void writeLanguage(const QString& relative, const QString& name,
                       const QMap<QString, QString>& translations = {}) const;
    // The game's audio archive (or the one at relativeArchive) holding a song list
    // with this content (the real archive tool builds it).
    void writeArchive(const QByteArray& songList,
                      const QString& relativeArchive = QStringLiteral("game/data/audio/audio.big")) const;

    void set(const QString& valueName, const QString& text);
    void setGame(const QString& installDir);
    QString setting(const QString& valueName) const;

    StartupOutcome run(const QString& commandLine = {});
    // Start-up ends with exactly this critical message and closes the program.
    void expectFatal(const QString& text, const QString& caption);
    QByteArray looseList() const;
    QString programDir() const { return path(QStringLiteral("program")); }
    QString gameDir() const { return path(QStringLiteral("game/")); }

    QTemporaryDir root_;
    Registry registry;
    SharedValues shared;
    RecordingFeedback feedback;
    RecordingStartupHost host;
    LanguageTexts texts;
    CdUnitList units;
    StartupContext context{shared, registry, feedback, host, host, texts, units};
    SetupChoices setup{context};
};

}  // namespace sonorelle::test
