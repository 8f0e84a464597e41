#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "controls/ccXPButton.h"
#include "platform/CodePage.h"
#include "platform/FileManagerEntries.h"
#include "songdata/SongListFile.h"
#include "songdata/TagRecordFile.h"
#include "songdata/TextFields.h"
#include "support/RecordingFeedback.h"
#include "support/RecordingStartupHost.h"
#include "support/FileBytes.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QShortcutEvent>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

QStringList Words(const char* text)
{
    return QString::fromLatin1(text).split(u' ');
}

class MainWindowCommands : public MainWindowFixture {
protected:
    void SetUp() override
    {
        // A disc image whose data file is missing: a CD unit without a disc.
        WriteFile(images.filePath(QStringLiteral("empty.cue")),
                  "FILE \"empty.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
        set(SettingsKeys::CDImages, images.filePath(QStringLiteral("empty.cue")));
        // Tag records of our own, so a slot click has something to show.
        for (const DemoSong& song : DemoGame::defaultSongs()) {
            const TagRecord record = TagRecord::forSlot(song.title + QStringLiteral(" (tagged)"), song.artist,
                                                        song.album, QStringLiteral("2009"), song.streamName);
            QString error;
            ASSERT_TRUE(TagRecordFile::write(game.audioDir() + song.streamName + QStringLiteral(".sng"),
                                             *record.toBytes(CodePage()),
                                             TagRecordFile::Placement::ReplaceAnyCaseTag, &error))
                << error.toStdString();
        }
        ASSERT_NO_FATAL_FAILURE(startQuietly());
        songs = find<QListWidget>("lstSong");
        window->session().document().seedShuffle(7);
    }

    // What the slot's stream file says, as the fields show it.
    QStringList tagOf(const QString& streamName) const
    {
        TagRecord record;
        EXPECT_EQ(TagRecordFile::read(game.audioDir() + streamName + QStringLiteral(".sng"), record, CodePage()),
                  TagRecordFile::ReadResult::Tagged);
        return {TrimTrailingBlanks(record.StrTitle).left(20), TrimTrailingBlanks(record.StrArtist).left(20),
                TrimTrailingBlanks(record.StrAlbum).left(20), TrimTrailingBlanks(record.StrYear),
                TrimTrailingBlanks(record.StrComment).left(20)};
    }

    QList<SongListRecord> listed() const
    {
        return SongListFile::read(game.audioDir() + QStringLiteral("songlist.bin"));
    }

    QStringList listedStreams() const
    {
        QStringList names;
        for (const SongListRecord& record : listed())
            names.append(record.streamName);
        return names;
    }

    QTemporaryDir images;
    QListWidget* songs = nullptr;
};

TEST_F(MainWindowCommands, StartsOnTheGamesSongsRegistersItselfAndASlotClickShowsItsTags)
{
    EXPECT_TRUE(window->isVisible());
    // What each entry holds, the entries' own tests check; here only which program they start.
    const QString openWith =
        qEnvironmentVariable("XDG_DATA_HOME") + u'/' + FileManagerEntries::OpenWithFile;
    const QByteArray exec = "Exec=\"" + QFile::encodeName(BinDir()) + "/sonorelle\" %f\n";
    EXPECT_TRUE(ReadFile(openWith).contains(exec));
    EXPECT_EQ(songs->count(), DemoGame::defaultSongs().size());
    EXPECT_EQ(songs->currentRow(), 0);
    EXPECT_EQ(find<QTreeWidget>("Dir1")->currentItem()->data(0, Qt::UserRole).toString(), QDir::homePath());
    songs->show();
    QTest::mouseClick(songs->viewport(), Qt::LeftButton, {},
                      songs->visualItemRect(songs->item(2)).center());
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(QStringLiteral("s702")));
    EXPECT_FALSE(fieldTexts(SlotFields)[0].isEmpty());
}

TEST_F(MainWindowCommands, SavingSlotTagsWritesTheStreamAndRetitlesTheSong)
{
    songs->setCurrentRow(1);
    const QStringList typed{QStringLiteral("Night Match"), QStringLiteral("Kestrel Lane"),
                            QStringLiteral("Extra Time"), QStringLiteral("2008"), QStringLiteral("typed")};
    for (int i = 0; i < 5; ++i)
        find<QLineEdit>(SlotFields[i])->setText(typed[i]);
    press("Command4");

    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(tagOf(QStringLiteral("s701")), typed);
    EXPECT_EQ(songs->item(1)->text(), QStringLiteral("Kestrel Lane - Night Match"));
    EXPECT_EQ(fieldTexts(SlotFields), typed);
}

TEST_F(MainWindowCommands, SavingASongWithoutTagRecordKeepsItsNameAndItsSelection)
{
    QFile file(game.audioDir() + QStringLiteral("s701.sng"));
    ASSERT_TRUE(file.resize(file.size() - TagRecord::Size));
    const SongListRecord before = listed().at(1);
    const QStringList shown{before.title, before.artist, before.album, {}, {}};

    songs->show();
    QTest::mouseClick(songs->viewport(), Qt::LeftButton, {},
                      songs->visualItemRect(songs->item(1)).center());
    EXPECT_EQ(fieldTexts(SlotFields), shown);
    QTest::mouseClick(find<QWidget>("Command4"), Qt::LeftButton);

    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_EQ(tagOf(QStringLiteral("s701")), shown);
    EXPECT_EQ(songs->currentRow(), 1);
    EXPECT_EQ(songs->selectedItems().size(), 1);
    EXPECT_EQ(fieldTexts(SlotFields), shown);
}

TEST_F(MainWindowCommands, ListEditsSelectTheMovedOrNextSongAndRewriteTheFiles)
{
    struct Step {
        int select;
        const char* button;
        int row;
        const char* streams;
    };
    // Up, down, delete; what each edit does at the ends, the list edit tests check.
    const Step steps[] = {
        {2, "Command18", 1, "s700 s702 s701 s703 s704 s705"}, {1, "Command19", 2, "s700 s701 s702 s703 s704 s705"},
        {5, "Command8", 4, "s700 s701 s702 s703 s704"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(std::string(step.button) + " on row " + std::to_string(step.select));
        songs->setCurrentRow(step.select);
        press(step.button);
        EXPECT_TRUE(messages.isEmpty()) << noted();
        const QStringList streams = listedStreams();
        EXPECT_EQ(streams, Words(step.streams));
        EXPECT_EQ(songs->count(), streams.size());
        ASSERT_EQ(songs->currentRow(), step.row);
        EXPECT_EQ(fieldTexts(SlotFields), tagOf(streams.at(step.row)));
    }

    const QStringList before = listedStreams();
    songs->setCurrentRow(1);
    press("Command20");
    const QStringList after = listedStreams();
    EXPECT_NE(after, before);
    EXPECT_EQ(songs->currentRow(), 1);
    EXPECT_EQ(fieldTexts(SlotFields), tagOf(after.at(1)));
}

TEST_F(MainWindowCommands, BusyStateSwitchesExactlyTheWorkingControls)
{
    const QStringList working = Words("lstSong File1 Dir1 Drive1 Command1 Command8 Command2 Command10 Command4 "
                                      "Command5 Command9 Command11 Command12 Command17 Command18 Command19 Command20");
    const QStringList untouched =
        Words("Image1 Image2 Image3 Image4 Label3 Label14 txtStrTitle txtTitle Frame1 Frame4");
    const auto enabledOf = [this](const QStringList& names) {
        QStringList enabled;
        for (const QString& name : names) {
            auto* widget = window->findChild<QWidget*>(name);
            EXPECT_NE(widget, nullptr) << name.toStdString();
            if (widget && widget->isEnabled())
                enabled.append(name);
        }
        return enabled;
    };

    window->Upr_Disabled();
    EXPECT_EQ(enabledOf(working), QStringList());
    EXPECT_EQ(enabledOf(untouched), untouched);
    window->Upr_Enabled();
    // The playlist button comes back even though start-up found no player.
    EXPECT_EQ(enabledOf(working), working);
    EXPECT_EQ(enabledOf(untouched), untouched);
}

TEST_F(MainWindowCommands, AFileHandedOverWaitsForTheOperationInProgress)
{
    std::optional<OperationGate::Pass> running = window->session().gate().enter(*window, QString());
    ASSERT_TRUE(running);
    window->addFromCommandLine(QStringLiteral("/music/first song.mp3"));
    window->addFromCommandLine(QStringLiteral("  "));
    QApplication::processEvents();
    EXPECT_TRUE(messages.isEmpty()) << noted();

    // Its add run comes once the operation is over, and tells that the file is gone.
    running.reset();
    QApplication::processEvents();
    ASSERT_EQ(messages.size(), 1) << noted();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("/music/first song.mp3: does not exist"))) << noted();
}

TEST_F(MainWindowCommands, PicturesAndLabelsRunTheGameOpenSetupAndAboutAndExitClosesAll)
{
    QTemporaryDir emptyPath;
    const QByteArray savedPath = qgetenv("PATH");
    qputenv("PATH", emptyPath.path().toLocal8Bit());
    QTest::mouseClick(find<QWidget>("Image3"), Qt::LeftButton);
    QTest::mouseClick(find<QWidget>("Label14"), Qt::LeftButton);
    qputenv("PATH", savedPath);
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("Wine"))) << noted();

    QTest::mouseClick(find<QWidget>("Image4"), Qt::LeftButton);
    QTest::mouseClick(find<QWidget>("Label3"), Qt::LeftButton);
    auto* setup = window->findChild<QWidget*>(QStringLiteral("Form2"));
    auto* about = window->findChild<QWidget*>(QStringLiteral("frmAbout"));
    ASSERT_TRUE(setup && about);
    EXPECT_TRUE(setup->isVisible());
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    QTest::mouseClick(find<QWidget>("Image2"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(setup->isVisible());
    EXPECT_FALSE(about->isVisible());
}

TEST_F(MainWindowCommands, ADriveThatIsNotReadyIsToldAndTheListReturnsAReadyOneOpensAtItsRoot)
{
    auto* drives = find<QComboBox>("Drive1");
    auto* folders = find<QTreeWidget>("Dir1");
    const int before = drives->currentIndex();
    const QString folderBefore = folders->currentItem()->data(0, Qt::UserRole).toString();
    const int image = drives->findText(QStringLiteral("CD: empty.cue"));
    ASSERT_GE(image, 0);

    drives->setCurrentIndex(image);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("CD: empty.cue is not ready"))) << noted();
    EXPECT_TRUE(messages[0].contains(images.filePath(QStringLiteral("empty.bin")))) << noted();
    EXPECT_EQ(drives->currentIndex(), before);
    EXPECT_EQ(folders->currentItem()->data(0, Qt::UserRole).toString(), folderBefore);

    const int rootEntry =
        drives->findText(QStringLiteral("^/(  \\[.*)?$"), Qt::MatchRegularExpression);
    ASSERT_GE(rootEntry, 1) << "the file system's root is listed after the home folder";
    drives->setCurrentIndex(rootEntry);
    EXPECT_EQ(messages.size(), 1) << noted();
    EXPECT_EQ(folders->topLevelItem(0)->data(0, Qt::UserRole).toString(), QStringLiteral("/"));
}

// sonorelle-cli deleted the song this window shows selected: Delete here is refused,
// and the fields of the gone song are not left over the song now in its row.
TEST_F(MainWindowCommands, ASongDeletedElsewhereIsNeitherDeletedAgainNorItsFieldsKept)
{
    const QStringList before = itemTexts(songs);
    songs->setCurrentRow(0);
    RecordingFeedback otherFeedback;
    RecordingStartupHost otherHost;
    Session other{registry, otherFeedback, otherHost, QStringLiteral("/nonexistent"), QString()};
    ASSERT_EQ(other.FormLoad(), StartupOutcome::Completed);
    ASSERT_TRUE(other.editSongList(&SongListDocument::Delete, 0).has_value());

    press("Command8");
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("no longer in the list")));
    EXPECT_EQ(itemTexts(songs), before.mid(1));
    EXPECT_EQ(songs->currentRow(), -1);
    EXPECT_EQ(fieldTexts(SlotFields), QStringList(5, QString()));
}

TEST_F(MainWindowCommands, ExportCancelledChangesNothingAndAnAcceptedNameGetsItsExtension)
{
    // The save dialog is cancelled while answer is empty, else the name is typed as a
    // person would: the dialog's own directory listing may still be loading.
    QString answer;
    int dialogs = 0;
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            return;
        ++dialogs;
        if (answer.isEmpty()) {
            dialog->reject();
            return;
        }
        auto* typed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(typed, nullptr);
        typed->setText(answer);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    answering.start(50);
    const QByteArray list = ReadFile(game.audioDir() + QStringLiteral("songlist.bin"));
    ASSERT_FALSE(list.isEmpty());
    press("Command12");
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_TRUE(QDir(music.path()).isEmpty());
    EXPECT_EQ(ReadFile(game.audioDir() + QStringLiteral("songlist.bin")), list);
    EXPECT_TRUE(find<QAbstractButton>("Command12")->isEnabled());

    answer = music.filePath(QStringLiteral("first song"));
    press("Command12");
    EXPECT_EQ(dialogs, 2);
    EXPECT_TRUE(messages.isEmpty()) << noted();
    EXPECT_TRUE(QFileInfo(music.filePath(QStringLiteral("first song.mp3"))).size() > 0);
    EXPECT_TRUE(songs->item(0)->text().contains(DemoGame::defaultSongs().first().artist));
}

TEST_F(MainWindowCommands, FocusStartsOnTheSongListWhereOnlyDeleteDeletesAndListCommandsGiveItBack)
{
    ASSERT_EQ(window->focusWidget(), songs);
    const int before = songs->count();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(window->focusWidget(), key);
    EXPECT_EQ(songs->count(), before);
    for (ccXPButton* button : window->findChildren<ccXPButton*>())
        EXPECT_TRUE(button->window() != window.get() || !button->displayAsDefault())
            << button->objectName().toStdString();

    songs->setCurrentRow(2);
    QTest::keyClick(songs, Qt::Key_Delete);
    EXPECT_EQ(songs->count(), before - 1);
    EXPECT_EQ(songs->currentRow(), 2);

    for (const char* command : {"Command19", "Command18", "Command20", "Command8"}) {
        find<QWidget>(command)->setFocus();
        press(command);
        EXPECT_EQ(window->focusWidget(), songs) << command;
    }
}

TEST_F(MainWindowCommands, BannerCaptionsTakeEnterAndTheirAccessKeysAndEscapeClosesTheDialog)
{
    // The access key (Alt+T, tried under X by scripts/screenshots.sh) lands here too.
    QShortcutEvent accessKey(QKeySequence(Qt::ALT | Qt::Key_T), 0);
    QApplication::sendEvent(find<QLabel>("Label5"), &accessKey);
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("Form2"))->isVisible());
    window->findChild<QWidget*>(QStringLiteral("Form2"))->hide();

    QTest::keyClick(find<QLabel>("Label3"), Qt::Key_Return);
    auto* box = window->findChild<QWidget*>(QStringLiteral("frmAbout"));
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isVisible());
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
}

// The smallest window still shows every caption whole, in each shipped language.
class MainWindowSmallest : public MainWindowFixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(MainWindowSmallest, ShowsEveryCaptionWhole)
{
    set(SettingsKeys::Language, BinDir() + QStringLiteral("/languages/") + QString::fromLatin1(GetParam()));
    ASSERT_TRUE(startWindow());
    window->resize(1, 1);
    QApplication::processEvents();
    EXPECT_LE(window->width(), 900);
    for (ccXPButton* button : window->findChildren<ccXPButton*>()) {
        if (button->window() != window.get())
            continue;
        const QSize caption = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
        EXPECT_GE(button->width(), caption.width()) << button->objectName().toStdString();
        EXPECT_GE(button->height(), caption.height()) << button->objectName().toStdString();
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->window() != window.get() || label->text().isEmpty())
            continue;
        const QSize text = label->fontMetrics().size(Qt::TextShowMnemonic, label->text());
        EXPECT_GE(label->width(), text.width()) << label->objectName().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Language, MainWindowSmallest, ::testing::Values("English.lng", "German.lng", "Russian.lng"));

using MainWindowStartup = MainWindowFixture;

TEST_F(MainWindowStartup, MissingEncoderIsToldAndTheWindowStaysHidden)
{
    QTemporaryDir program;
    QFile::link(BinDir() + QStringLiteral("/addon2"), program.filePath(QStringLiteral("addon2")));
    QFile::link(BinDir() + QStringLiteral("/languages"), program.filePath(QStringLiteral("languages")));
    set(SettingsKeys::InstallDir, program.path());
    EXPECT_FALSE(startWindow());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(program.path() + QStringLiteral("/addon3")));
    EXPECT_EQ(messageIcons[0], QMessageBox::Critical);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MainWindowStartup, SetupOpensCentredOnTheScreen)
{
    set(SettingsKeys::CDDrive, QString());
    startWindow();
    auto* setup = window->findChild<QWidget*>(QStringLiteral("Form2"));
    ASSERT_TRUE(setup && setup->isVisible());
    const QPoint offset = setup->geometry().center() - setup->screen()->availableGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 8) << offset.x() << ", " << offset.y();
}

}  // namespace
}  // namespace sonorelle::test
