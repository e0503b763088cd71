// The one error type of the host kit and the host tool: a failure a user can act on,
// carrying a complete sentence for the terminal.
#pragma once

#include <stdexcept>
#include <string>

class HostError : public std::runtime_error {
public:
    explicit HostError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};
