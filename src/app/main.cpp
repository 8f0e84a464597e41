#include "platform/Registry.h"
#include "ui/Form1.h"
#include "ui/SingleWindow.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sonorelle"));
    QApplication::setApplicationVersion(QStringLiteral(SONORELLE_VERSION));
    // The main window decides when the program ends: on a first run it is hidden
    // while the Setup dialog is the only window up.
    QApplication::setQuitOnLastWindowClosed(false);

    const QString commandLine = QApplication::arguments().mid(1).join(QLatin1Char(' '));
    sonorelle::SingleWindow single;
    if (single.handOffOrListen(commandLine))
        return 0;
    sonorelle::Form1 window(sonorelle::Registry::fromEnvironment(), QApplication::applicationDirPath(), commandLine);
    QObject::connect(&single, &sonorelle::SingleWindow::commandLineReceived, &window,
                     &sonorelle::Form1::addFromCommandLine);
    if (!window.start())
        return 1;
    return QApplication::exec();
}
