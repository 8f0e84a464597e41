#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "controls/ccXPButton.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShortcutEvent>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace sonorelle::test {
namespace {

using MainWindowKeyboard = MainWindowFixture;

TEST_F(MainWindowKeyboard, FocusStartsOnTheSongListWhereOnlyDeleteDeletesAndListCommandsGiveItBack)
{
    ASSERT_NO_FATAL_FAILURE(startQuietly());
    auto* songs = find<QListWidget>("lstSong");
    ASSERT_EQ(window->focusWidget(), songs);
    const int before = songs->count();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(window->focusWidget(), key);
    EXPECT_EQ(songs->count(), before);
    for (ccXPButton* button : window->findChildren<ccXPButton*>()) {
        if (button->window() == window.get()) {
            EXPECT_FALSE(button->displayAsDefault()) << button->objectName().toStdString();
        }
    }

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

TEST_F(MainWindowKeyboard, BannerCaptionsTakeEnterAndTheirAccessKeysAndEscapeClosesTheDialog)
{
    ASSERT_NO_FATAL_FAILURE(startQuietly());
    // The access key (Alt+T, tried under X by scripts/screenshots.sh) lands here too.
    auto* setupCaption = find<QLabel>("Label5");
    QShortcutEvent accessKey(QKeySequence(Qt::ALT | Qt::Key_T), 0);
    QApplication::sendEvent(setupCaption, &accessKey);
    EXPECT_TRUE(window->findChild<QWidget*>(QStringLiteral("Form2"))->isVisible());
    window->findChild<QWidget*>(QStringLiteral("Form2"))->hide();

    auto* about = find<QLabel>("Label3");
    QTest::keyClick(about, Qt::Key_Return);
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

using MainWindowFirstStart = MainWindowFixture;

TEST_F(MainWindowFirstStart, SetupOpensCentredOnTheScreen)
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
