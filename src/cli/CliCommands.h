#pragma once

#include "cli/CliCommand.h"

#include <QList>

namespace sonorelle {

// Every command of sonorelle-cli, in the order the usage text lists them.
const QList<CliCommand>& CliCommands();

}  // namespace sonorelle
