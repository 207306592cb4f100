#pragma once

#include "text/error.h"

#include <string>

namespace tressal::xml {

// The XML file could not be read or parsed. The message is the reason, then
// "\r\nLigne: <line>\r\n", then the first 40 characters of the faulty line.
class LoadError : public Error {
public:
    LoadError(const std::string& reason, int line, const std::string& sourceLine);

    const std::string& Reason() const { return reason_; }
    int Line() const { return line_; }
    const std::string& SourceLine() const { return sourceLine_; }

private:
    std::string reason_;
    int line_;
    std::string sourceLine_;
};

// A child element or an attribute that a read asked for is missing.
class NotFoundError : public Error {
public:
    explicit NotFoundError(const std::string& name);

    const std::string& Name() const { return name_; }

private:
    std::string name_;
};

// A text that an integer read could not turn into a 32-bit integer.
class ConversionError : public Error {
public:
    using Error::Error;
};

} // namespace tressal::xml
