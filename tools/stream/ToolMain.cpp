#include "stream/ToolMain.h"

#include "stream/StreamError.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>

namespace sonorelle {
namespace {

void PrintLine(const char* toolName, std::string message)
{
    std::replace_if(message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    std::fprintf(stderr, "%s: %s\n", toolName, message.c_str());
}

} // namespace

int RunTool(const char* toolName, const char* usage, const std::function<void()>& work)
{
    try {
        work();
        return 0;
    } catch (const UsageError& error) {
        PrintLine(toolName, std::string(error.what()) + "; usage: " + usage);
        return 2;
    } catch (const std::exception& error) {
        PrintLine(toolName, error.what());
        return 1;
    }
}

} // namespace sonorelle
