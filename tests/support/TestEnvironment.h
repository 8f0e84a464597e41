#pragma once

#include <QString>

namespace sonorelle::test {

// Points HOME and the XDG folders of this test process into a fresh temporary
// folder, so no test reads or writes anything of the person running it. Called by
// the test mains before any test.
void IsolateUserFolders();

// The folder that holds the built programs and tools (sonorelle, addon2, ...).
QString BinDir();

}  // namespace sonorelle::test
