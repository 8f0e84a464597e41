#include "ui/frmProgress.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

namespace sonorelle {
namespace {

class ProgressWindow : public ::testing::Test {
protected:
    template <typename T>
    T* child(const char* name)
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    int barWidth() { return child<QFrame>("picProgress2")->width(); }

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
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Track 1"));
    const int inner = child<QFrame>("picProgress1")->contentsRect().width();
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

TEST_F(ProgressWindow, StatusSetWhileHiddenIsShownAndCancelRaisesTheFlagUntilCleared)
{
    window.setStatus(QStringLiteral("Encoding (2/5)"));
    window.show();
    EXPECT_TRUE(child<QLabel>("lblSost")->isVisible());
    EXPECT_EQ(child<QLabel>("lblSost")->text(), QStringLiteral("Encoding (2/5)"));

    EXPECT_FALSE(window.RipCancel());
    child<QPushButton>("Command1")->click();
    EXPECT_TRUE(window.RipCancel());
    window.clearCancel();
    EXPECT_FALSE(window.RipCancel());
}

TEST_F(ProgressWindow, DetailLineShowsOnlyWhatTheRunningOperationReported)
{
    window.show();
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QString());
    window.ChangeProgress(QStringLiteral("Extracting track /tmp/negotovo.wav"), 1, 2);
    window.hide();
    window.show();
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QString());
}

}  // namespace
}  // namespace sonorelle
