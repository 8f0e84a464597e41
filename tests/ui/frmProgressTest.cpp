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

    QWidget owner;
    frmProgress window{&owner};
};

TEST_F(ProgressWindow, StartsWithTheProgramsNameAndAnEmptyBar)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Sonorelle"));
    EXPECT_EQ(child<QLabel>("lblSost")->text(), QStringLiteral("OK"));
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Extracting track"));
    EXPECT_EQ(child<QPushButton>("Command1")->text(), QStringLiteral("Cancel"));
    window.show();
    EXPECT_EQ(child<QFrame>("picProgress2")->width(), 0);
    EXPECT_FALSE(window.RipCancel());
}

TEST_F(ProgressWindow, CaptionShowsThePercentageWithTheSystemsSeparator)
{
    window.show();
    window.ChangeProgress(QStringLiteral("Track 1"), 1, 3);
    const QString separator = QLocale::system().decimalPoint();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Progress 33") + separator + QStringLiteral("33 %"));
    EXPECT_EQ(child<QLabel>("lblStatus")->text(), QStringLiteral("Track 1"));
    const int inner = child<QFrame>("picProgress1")->contentsRect().width();
    EXPECT_NEAR(child<QFrame>("picProgress2")->width(), inner / 3.0, 1.0);

    window.ChangeProgress(QStringLiteral("Track 1"), 3, 3);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Progress 100") + separator + QStringLiteral("00 %"));
    EXPECT_EQ(child<QFrame>("picProgress2")->width(), inner);
}

TEST_F(ProgressWindow, CaptionKeepsTwoIntegerDigitsInEveryLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(frmProgress::progressCaption(1, 3, german), QStringLiteral("Progress 33,33 %"));
    EXPECT_EQ(frmProgress::progressCaption(1, 20, german), QStringLiteral("Progress 05,00 %"));
    EXPECT_EQ(frmProgress::progressCaption(0, 3, QLocale::c()), QStringLiteral("Progress 00.00 %"));
    EXPECT_EQ(frmProgress::progressCaption(20, 2, QLocale::c()), QStringLiteral("Progress 1000.00 %"));
}

TEST_F(ProgressWindow, NothingToMeasureLeavesTheBarEmpty)
{
    window.show();
    window.ChangeProgress(QStringLiteral("none"), 5, 0);
    EXPECT_EQ(child<QFrame>("picProgress2")->width(), 0);
    window.ChangeProgress(QStringLiteral("past the end"), 9, 3);
    EXPECT_EQ(child<QFrame>("picProgress2")->width(), child<QFrame>("picProgress1")->contentsRect().width());
}

TEST_F(ProgressWindow, StatusSetWhileHiddenIsShownWhenTheWindowIs)
{
    window.hide();
    window.setStatus(QStringLiteral("Encoding (2/5)"));
    window.show();
    EXPECT_TRUE(child<QLabel>("lblSost")->isVisible());
    EXPECT_EQ(child<QLabel>("lblSost")->text(), QStringLiteral("Encoding (2/5)"));
}

TEST_F(ProgressWindow, CancelRaisesTheFlagUntilItIsCleared)
{
    child<QPushButton>("Command1")->click();
    EXPECT_TRUE(window.RipCancel());
    window.clearCancel();
    EXPECT_FALSE(window.RipCancel());
}

}  // namespace
}  // namespace sonorelle
