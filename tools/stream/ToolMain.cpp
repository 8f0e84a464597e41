#include "stream/ToolMain.h"

#include "stream/StreamError.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <exception>
#include <string>

#include <fcntl.h>
#include <unistd.h>

namespace sonorelle {
namespace {

// Libraries print notes of their own on stderr (mpg123 under libsndfile reports every
// resync), which would break the promise of one line per failure: they get /dev/null, and
// the tool keeps the real stderr for its own line.
std::FILE* SilenceLibraryMessages()
{
    const int realStderr = ::dup(STDERR_FILENO);
    const int nothing = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (realStderr < 0 || nothing < 0 || ::dup2(nothing, STDERR_FILENO) < 0) {
        if (realStderr >= 0)
            ::close(realStderr);
        if (nothing >= 0)
            ::close(nothing);
        return stderr;
    }
    ::close(nothing);
    std::FILE* errors = ::fdopen(realStderr, "w");
    return errors ? errors : stderr;
}

void PrintLine(std::FILE* errors, const char* toolName, std::string message)
{
    std::replace_if(message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    std::fprintf(errors, "%s: %s\n", toolName, message.c_str());
    std::fflush(errors);
}

} // namespace

int RunTool(const char* toolName, const char* usage, const std::function<void()>& work)
{
    // A full file system or a file-size limit must end in a clean error, not a kill by signal.
    std::signal(SIGXFSZ, SIG_IGN);
    std::FILE* errors = SilenceLibraryMessages();
    try {
        work();
        return 0;
    } catch (const UsageError& error) {
        PrintLine(errors, toolName, std::string(error.what()) + "; usage: " + usage);
        return 2;
    } catch (const std::exception& error) {
        PrintLine(errors, toolName, error.what());
        return 1;
    }
}

} // namespace sonorelle
