#pragma once

#include "text/error.h"

#include <string>

namespace tressal::xml {

// The XML file could not be read or parsed: the parser's reason, the line and
// column of the fault (0: not known) and the first 40 characters of that line.
class LoadError : public FileError {
public:
    LoadError(const std::string& reason, int line, const std::string& sourceLine, int column = 0)
        : FileError(reason, line, sourceLine, column) {}
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
