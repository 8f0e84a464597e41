#include "controls/ccXPButton.h"
#include "platform/SystemInformation.h"
#include "support/FileBytes.h"
#include "support/NamedChild.h"
#include "support/RecordingFeedback.h"
#include "ui/frmAbout.h"

#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace sonorelle::test {

// Takes the web addresses the desktop is asked to open, instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened.append(url); }
};

namespace {

// PATH points only at a fresh folder of our own programs while a test runs.
class AboutBox : public ::testing::Test {
protected:
    AboutBox() { qputenv("PATH", programs.path().toLocal8Bit()); }
    ~AboutBox() override { qputenv("PATH", savedPath); }

    const QByteArray savedPath = qgetenv("PATH");
    QTemporaryDir programs;
    RecordingFeedback feedback;
    frmAbout about{feedback};
};

TEST_F(AboutBox, SystemInformationStartsTheFirstProgramOnPathOrTellsThereIsNone)
{
    const QStringList& candidates = SystemInformation::candidates();
    ASSERT_GE(candidates.size(), 3);
    // Named like one, but not a program: it must not count.
    WriteFile(programs.filePath(candidates[0]), "#!/bin/sh\n");
    auto* button = NamedChild<QPushButton>(about, "cmdSysInfo");
    button->click();
    ASSERT_EQ(feedback.messages.size(), 1);
    EXPECT_EQ(feedback.messages[0].text, QStringLiteral("System Information Is Unavailable At This Time"));
    EXPECT_EQ(feedback.messages[0].icon, MessageIcon::None);

    const QString marker = programs.filePath(QStringLiteral("started"));
    const QByteArray quoted = "'" + marker.toLocal8Bit() + "'";
    WriteScript(programs.filePath(candidates[2]), "#!/bin/sh\necho late > " + quoted + "\n");
    WriteScript(programs.filePath(candidates[1]),
                "#!/bin/sh\necho first > " + quoted + ".tmp && /bin/mv " + quoted + ".tmp " + quoted
                    + "\n");
    button->click();
    EXPECT_EQ(feedback.messages.size(), 1);
    // Started on its own: wait until it has run.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(marker); }, 20000));
    EXPECT_EQ(ReadFile(marker), QByteArray("first\n"));
}

TEST_F(AboutBox, ShowsTheVersionThePictureOpensTheMakersPageAndOkCloses)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    about.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    auto* picture = NamedChild<QLabel>(about, "Image6");
    EXPECT_FALSE(picture->pixmap().isNull());
    QTest::mouseClick(picture, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], frmAbout::makerAddress());
    EXPECT_TRUE(feedback.messages.isEmpty());

    QTest::mouseClick(NamedChild<ccXPButton>(about, "cmdOK"), Qt::LeftButton);
    EXPECT_FALSE(about.isVisible());
}

}  // namespace
}  // namespace sonorelle::test

#include "frmAboutTest.moc"
