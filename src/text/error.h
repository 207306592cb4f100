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

// An input file refused at a place in it. The windows show the reason, then
// "\r\nLigne: <line>\r\n", then the start of the faulty line, then the advice;
// the terminal leaves out the line when it is not known. line and column count
// from 1; 0 when not known.
class FileError : public Error {
public:
    FileError(const std::string& reason, int line, const std::string& sourceLine, int column = 0,
              const std::string& advice = "");

    const std::string& Reason() const { return reason_; }
    int Line() const { return line_; }
    int Column() const { return column_; }
    const std::string& SourceLine() const { return sourceLine_; }
    // What follows the faulty line: what to do about it.
    const std::string& Advice() const { return advice_; }

private:
    std::string reason_;
    int line_;
    int column_;
    std::string sourceLine_;
    std::string advice_;
};

// The same refusal within a sentence of the caller's: before + its text +
// after, keeping the place in the file of a FileError.
[[noreturn]] void ThrowWithin(const Error& error, const std::string& before,
                              const std::string& after);

// What the user reads in a window for an exception that stopped a conversion
// or a save: an Error's own message; French words for memory exhausted and for
// a system error; the exception's own text for anything else.
std::string UserMessage(const std::exception& error);

// The same for the terminal, as lines that each end in '\n', without CR: a
// FileError's line and quote only when the line is known.
std::string TerminalMessage(const std::exception& error);

} // namespace tressal
