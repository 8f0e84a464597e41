#pragma once

#include "demogame/DemoGame.h"
#include "platform/Registry.h"

#include <QProcessEnvironment>
#include <QString>

namespace sonorelle {

// The demo game in folder, its song list loose beside the archive, with a settings
// store of its own: what sonorelle-cli works on in the benchmarks. Throws
// std::runtime_error when the game cannot be made.
class BenchGame {
public:
    BenchGame(const QString& folder, const QString& toolDir);

    const DemoGame& game() const { return game_; }
    Registry& registry() { return registry_; }
    // The system's environment pointed at this game, its store and folders of its own.
    QProcessEnvironment environment() const;

private:
    QString folder_;
    DemoGame game_;
    Registry registry_;
};

}  // namespace sonorelle
