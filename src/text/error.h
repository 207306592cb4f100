#pragma once

#include <stdexcept>
#include <string>

namespace tressal {

// An error meant for the user: its message is French text in UTF-8, shown as
// it stands in a message box or on the terminal.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

} // namespace tressal
