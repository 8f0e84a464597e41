#include "MainWindowFixture.h"

#include "app/SettingsKeys.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
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

bool MainWindowFixture::startWindow(const QString& commandLine)
{
    window = std::make_unique<Form1>(registry, QStringLiteral("/nonexistent"), commandLine);
    return window->start();
}

void MainWindowFixture::startQuietly()
{
    ASSERT_TRUE(created);
    ASSERT_TRUE(startWindow());
    ASSERT_TRUE(messages.isEmpty()) << noted();
}

void MainWindowFixture::startQuietlyOverMusic()
{
    ASSERT_NO_FATAL_FAILURE(startQuietly());
    window->placeFileBrowser(music.path());
    files = find<QListWidget>("File1");
}

QStringList MainWindowFixture::fieldTexts(const char* const (&names)[5]) const
{
    QStringList texts;
    for (const char* name : names)
        texts.append(find<QLineEdit>(name)->text());
    return texts;
}

QStringList MainWindowFixture::itemTexts(const QListWidget* list, int from)
{
    QStringList texts;
    for (int row = from; row < list->count(); ++row)
        texts.append(list->item(row)->text());
    return texts;
}

void MainWindowFixture::clickFile(const QString& name) const
{
    const QList<QListWidgetItem*> found = files->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    files->setCurrentItem(found.first());
}

}  // namespace sonorelle::test
