#pragma once

#include <functional>

namespace sonorelle {

// Runs a tool's work and turns its outcome into the exit code: 0 done, 1 failed, 2 wrong
// command line; each failure is one line on stderr.
int RunTool(const char* toolName, const char* usage, const std::function<void()>& work);

} // namespace sonorelle
