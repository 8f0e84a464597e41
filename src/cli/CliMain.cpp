// sonorelle-cli: the program's song list operations for scripts and batch work, over
// the same core and the same start-up as the window.
#include "cli/CliProgram.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Sonorelle"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SONORELLE_VERSION));
    sonorelle::CliProgram program;
    return program.run(QCoreApplication::arguments().mid(1), QCoreApplication::applicationDirPath());
}
