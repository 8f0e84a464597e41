// make-demo-game DIR [TOOLDIR]: a demo installation of the game under Wine in DIR,
// its archive made with the addon2 beside this program (or in TOOLDIR).
#include "demogame/DemoGame.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: make-demo-game DIR [TOOLDIR]\n");
        return 2;
    }
    sonorelle::DemoGame::Options options;
    options.toolDir = arguments.size() == 3 ? arguments.at(2) : QCoreApplication::applicationDirPath();
    const sonorelle::DemoGame game(QDir(arguments.at(1)).absolutePath());
    QString error;
    if (!game.create(options, &error)) {
        std::fprintf(stderr, "make-demo-game: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("Demo game in %s\nWINEPREFIX=%s\n", qPrintable(game.gameDir()), qPrintable(game.winePrefix()));
    return 0;
}
