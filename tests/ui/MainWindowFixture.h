#pragma once

#include "demogame/DemoGame.h"
#include "platform/Registry.h"
#include "ui/Form1.h"

#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace sonorelle::test {

// The real program's window on a generated game, with the tools of the build. Every
// message box is noted and closed, since no one is there to click it.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();

    void set(const QString& valueName, const QString& text);
    // Builds the window and runs start-up; false when start-up ended the program.
    bool startWindow();

    template <typename Widget>
    Widget* find(const char* name) const
    {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QTemporaryDir root;
    DemoGame game{root.filePath(QStringLiteral("demo"))};
    bool created = false;
    Registry registry{root.filePath(QStringLiteral("registry.reg")), game.winePrefix()};
    std::unique_ptr<Form1> window;
    QTimer watch;
    QStringList messages;
    QStringList messageCaptions;  // of the same boxes as messages
    QList<QMessageBox::Icon> messageIcons;
};

}  // namespace sonorelle::test
