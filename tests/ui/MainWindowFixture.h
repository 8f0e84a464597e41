#pragma once

#include "demogame/DemoGame.h"
#include "platform/Registry.h"
#include "ui/Form1.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

class QListWidget;

namespace sonorelle::test {

inline const char* const SlotFields[] = {"txtStrTitle", "txtStrArtist", "txtStrAlbum", "txtStrDate", "txtStrComment"};
inline const char* const FileFields[] = {"txtTitle", "txtArtist", "txtAlbum", "txtDate", "txtComment"};

// The real program's window on a generated game, with the tools of the build. Every
// message box is noted and closed, since no one is there to click it.
class MainWindowFixture : public ::testing::Test {
protected:
    MainWindowFixture();

    void set(const QString& valueName, const QString& text);
    // Builds the window and runs start-up; false when start-up ended the program.
    bool startWindow(const QString& commandLine = {});
    // Started with no message; then the file browser on music.
    void startQuietly();
    void startQuietlyOverMusic();

    template <typename Widget>
    Widget* find(const char* name) const
    {
        auto* widget = window->findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    QStringList fieldTexts(const char* const (&names)[5]) const;
    static QStringList itemTexts(const QListWidget* list, int from = 0);
    void press(const char* name) const { find<QAbstractButton>(name)->click(); }
    void clickFile(const QString& name) const;
    std::string noted() const { return messages.join(u'\n').toStdString(); }

    QTemporaryDir root;
    QTemporaryDir music;
    DemoGame game{root.filePath(QStringLiteral("demo"))};
    bool created = false;
    Registry registry{root.filePath(QStringLiteral("registry.reg")), game.winePrefix()};
    std::unique_ptr<Form1> window;
    QListWidget* files = nullptr;
    QTimer watch;
    QStringList messages;
    QList<QMessageBox::Icon> messageIcons;  // of the same boxes as messages
};

}  // namespace sonorelle::test
