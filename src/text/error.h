#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace tressal {

// An error meant for the user: its message is French text in UTF-8, shown as
// it stands in a message box or on the terminal.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// What the user reads for an exception that stopped a conversion or a save:
// an Error's own message; French words for memory exhausted and for a system
// error; the exception's own text for anything else.
std::string UserMessage(const std::exception& error);

} // namespace tressal
