#include "support/RecordingStartupHost.h"
#include "app/Session.h"
#include "app/SettingsKeys.h"
#include "demogame/DemoGame.h"
#include "support/FileBytes.h"
#include "support/RecordingFeedback.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>

namespace sonorelle::test {
namespace {

// A demo game whose archive tool takes a second to put the list back, as a large
// archive's compaction would: long enough for a second click to arrive meanwhile.
class SessionWithSlowArchive : public ::testing::Test {
protected:
    SessionWithSlowArchive()
    {
        DemoGame::Options options;
        options.toolDir = BinDir();
        QString error;
        EXPECT_TRUE(game.create(options, &error)) << error.toStdString();
        const QString program = root.filePath(QStringLiteral("program"));
        QDir().mkpath(program);
        QFile::link(BinDir() + QStringLiteral("/addon3"), program + QStringLiteral("/addon3"));
        QFile::link(BinDir() + QStringLiteral("/languages"), program + QStringLiteral("/languages"));
        WriteScript(program + QStringLiteral("/addon2"),
                    "#!/bin/sh\nif [ \"$1\" = -ar ]; then sleep 1; fi\nexec '" + BinDir().toUtf8() + "/addon2' \"$@\"\n");
        for (const auto& [name, text] : {std::pair{SettingsKeys::InstallDir, program},
                                         std::pair{SettingsKeys::CDDrive, QStringLiteral("0")},
                                         std::pair{SettingsKeys::FirstRun, QStringLiteral("1")}})
            EXPECT_TRUE(registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, name, text));
    }

    QTemporaryDir root;
    DemoGame game{root.filePath(QStringLiteral("demo"))};
    Registry registry{root.filePath(QStringLiteral("registry.reg")), game.winePrefix()};
    RecordingFeedback feedback;
    RecordingStartupHost host;
    Session session{registry, feedback, host, QStringLiteral("/nonexistent"), QString()};
};

TEST_F(SessionWithSlowArchive, SecondEditDuringThePutBackIsRefusedAndOnlyTheSelectedSongGoes)
{
    ASSERT_EQ(session.FormLoad(), StartupOutcome::Completed);
    const QStringList before = session.document().lines();
    const QString secondStream = session.document().streamFileOf(1);

    std::optional<int> secondClick = 0;
    QTimer::singleShot(300, [&] { secondClick = session.editSongList(&SongListDocument::Delete, 1); });
    const std::optional<int> firstClick = session.editSongList(&SongListDocument::Delete, 0);

    ASSERT_TRUE(firstClick.has_value());
    EXPECT_FALSE(secondClick.has_value()) << "the second Delete ran while the first was putting the list back";
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_TRUE(feedback.messages[0].text.contains(QStringLiteral("still running")));
    EXPECT_EQ(session.document().lines(), before.mid(1));
    EXPECT_TRUE(QFile::exists(secondStream));

    // Once the first edit is over, the gate is open again.
    EXPECT_TRUE(session.editSongList(&SongListDocument::MoveDown, 0).has_value());
}

// A second window (or sonorelle-cli) changes the list while this one shows it: an
// edit here works on the song the person selected, and never writes back the old list.
TEST_F(SessionWithSlowArchive, AnEditAfterAnotherProgramChangedTheListKeepsThatChangeAndFollowsTheSelection)
{
    RecordingFeedback otherFeedback;
    RecordingStartupHost otherHost;
    Session other{registry, otherFeedback, otherHost, QStringLiteral("/nonexistent"), QString()};
    ASSERT_EQ(session.FormLoad(), StartupOutcome::Completed);
    ASSERT_EQ(other.FormLoad(), StartupOutcome::Completed);
    const QStringList before = session.document().lines();

    ASSERT_TRUE(other.editSongList(&SongListDocument::Delete, 0).has_value());
    EXPECT_EQ(session.editSongList(&SongListDocument::MoveDown, 2), 2);
    QStringList expected = before.mid(1);
    expected.swapItemsAt(1, 2);
    EXPECT_EQ(session.document().lines(), expected) << "the other program's delete was undone";
}

}  // namespace
}  // namespace sonorelle::test
