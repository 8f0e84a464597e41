#pragma once

#include <stdexcept>
#include <string>

namespace sonorelle {

// A failure of a stream tool, worded for one line on stderr.
class StreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command line does not have the form the tool expects.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace sonorelle
