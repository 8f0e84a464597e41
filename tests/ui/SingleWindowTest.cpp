#include "ui/SingleWindow.h"
#include "support/TestEnvironment.h"

#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace sonorelle {
namespace {

TEST(SingleWindowTest, ALaterStartHandsItsCommandLineToTheWindowAndEnds)
{
    auto window = std::make_unique<SingleWindow>();
    ASSERT_FALSE(window->handOffOrListen(QString()));
    QSignalSpy received(window.get(), &SingleWindow::commandLineReceived);

    // The real program as a second start, with one path as a file manager passes it.
    const QString path = QString::fromUtf8("/music/Ünï \"code\"/my  song 'one'.mp3");
    QProcess second;
    second.start(test::BinDir() + QStringLiteral("/sonorelle"), {path});
    ASSERT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    ASSERT_TRUE(received.wait(10000));
    EXPECT_EQ(received.takeFirst().at(0).toString(), path);

    // Without a file the window is only asked to come to the front.
    EXPECT_TRUE(SingleWindow().handOffOrListen(QString()));
    ASSERT_TRUE(received.wait(10000));
    EXPECT_EQ(received.takeFirst().at(0).toString(), QString());

    // Once the window is gone, the next start is the window, over the socket it left.
    window.reset();
    SingleWindow next;
    EXPECT_FALSE(next.handOffOrListen(QStringLiteral("a.mp3")));
    QSignalSpy nextReceived(&next, &SingleWindow::commandLineReceived);
    EXPECT_TRUE(SingleWindow().handOffOrListen(QStringLiteral("b.mp3")));
    ASSERT_TRUE(nextReceived.wait(10000));
    EXPECT_EQ(nextReceived.takeFirst().at(0).toString(), QStringLiteral("b.mp3"));
}

}  // namespace
}  // namespace sonorelle
