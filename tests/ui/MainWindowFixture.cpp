#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QMessageBox>

namespace sonorelle::test {

MainWindowFixture::MainWindowFixture()
{
    DemoGame::Options options;
    options.toolDir = BinDir();
    QString error;
    created = game.create(options, &error);
    EXPECT_TRUE(created) << error.toStdString();
    set(SettingsKeys::InstallDir, BinDir());
    set(SettingsKeys::Language, BinDir() + QStringLiteral("/languages/English.lng"));
    set(SettingsKeys::CDDrive, QStringLiteral("0"));
    QObject::connect(&watch, &QTimer::timeout, [this] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            messages.append(box->text());
            messageCaptions.append(box->windowTitle());
            messageIcons.append(box->icon());
            box->accept();
        }
    });
    watch.start(50);
}

void MainWindowFixture::set(const QString& valueName, const QString& text)
{
    EXPECT_TRUE(registry.WriteRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, valueName, text));
}

bool MainWindowFixture::startWindow()
{
    window = std::make_unique<Form1>(registry, QStringLiteral("/nonexistent"), QString());
    return window->start();
}

}  // namespace sonorelle::test
