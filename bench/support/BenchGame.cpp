#include "BenchGame.h"

#include <stdexcept>

namespace sonorelle {

BenchGame::BenchGame(const QString& folder, const QString& toolDir)
    : folder_(folder)
    , game_(folder + QStringLiteral("/game"))
    , registry_(folder + QStringLiteral("/registry.reg"), game_.winePrefix())
{
    DemoGame::Options options;
    options.toolDir = toolDir;
    options.looseSongList = true;
    QString error;
    if (!game_.create(options, &error))
        throw std::runtime_error(error.toStdString());
}

QProcessEnvironment BenchGame::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), game_.winePrefix());
    environment.insert(QStringLiteral("SONORELLE_REGISTRY"), registry_.storePath());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), folder_ + QStringLiteral("/data"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), folder_ + QStringLiteral("/cache"));
    return environment;
}

}  // namespace sonorelle
