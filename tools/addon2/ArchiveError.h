#pragma once

#include <stdexcept>
#include <string>

namespace sonorelle {

// Every failure of the archive code: a one-line text for the person, naming the
// file concerned.
class ArchiveError : public std::runtime_error {
public:
    explicit ArchiveError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

}  // namespace sonorelle
