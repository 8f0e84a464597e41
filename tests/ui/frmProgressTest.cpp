#include "ui/frmProgress.h"
#include "support/NamedChild.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

class ProgressWindow : public ::testing::Test {
protected:
    QLabel* label(const char* name) { return test::NamedChild<QLabel>(window, name); }
    int barWidth() { return test::NamedChild<QFrame>(window, "picProgress2")->width(); }

    QWidget owner;
    frmProgress window{&owner};
};

TEST_F(ProgressWindow, CaptionAndBarFollowTheProgressWithTheSystemsSeparator)
{
    window.show();
    EXPECT_EQ(barWidth(), 0);
    window.ChangeProgress(QStringLiteral("Track 1"), 1, 3);
    const QString separator = QLocale::system().decimalPoint();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Progress 33") + separator + QStringLiteral("33 %"));
    EXPECT_EQ(label("lblStatus")->text(), QStringLiteral("Track 1"));
    const int inner = test::NamedChild<QFrame>(window, "picProgress1")->contentsRect().width();
    EXPECT_NEAR(barWidth(), inner / 3.0, 1.0);

    window.ChangeProgress(QStringLiteral("Track 1"), 3, 3);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Progress 100") + separator + QStringLiteral("00 %"));
    EXPECT_EQ(barWidth(), inner);
    window.ChangeProgress(QStringLiteral("past the end"), 9, 3);
    EXPECT_EQ(barWidth(), inner);
    window.ChangeProgress(QStringLiteral("nothing to measure"), 5, 0);
    EXPECT_EQ(barWidth(), 0);

    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(frmProgress::progressCaption(1, 3, german), QStringLiteral("Progress 33,33 %"));
    EXPECT_EQ(frmProgress::progressCaption(1, 20, german), QStringLiteral("Progress 05,00 %"));
}

TEST_F(ProgressWindow, StatusSetWhileHiddenIsShownAnEarlierDetailIsNotAndCancelRaisesTheFlag)
{
    window.show();
    window.ChangeProgress(QStringLiteral("Extracting track /tmp/negotovo.wav"), 1, 2);
    window.hide();
    window.setStatus(QStringLiteral("Encoding (2/5)"));
    window.show();
    EXPECT_TRUE(label("lblSost")->isVisible());
    EXPECT_EQ(label("lblSost")->text(), QStringLiteral("Encoding (2/5)"));
    EXPECT_EQ(label("lblStatus")->text(), QString()) << "the detail of the run before";

    EXPECT_FALSE(window.RipCancel());
    test::NamedChild<QPushButton>(window, "Command1")->click();
    EXPECT_TRUE(window.RipCancel());
    window.clearCancel();
    EXPECT_FALSE(window.RipCancel());
}

}  // namespace
}  // namespace sonorelle
