#pragma once

#include <string>
#include <vector>

namespace tressal::xml {

// One error that libxml2 reported while parsing, copied out of its report.
struct ReportedError {
    int domain = 0;
    int code = 0;
    int level = 0;
    int line = 0;
    int int1 = 0;
    std::string message;
    std::string str1;
    std::string str2;
};

// The parser's reason in French for the frequent errors, libxml2's own
// English text otherwise. readAsUtf8: the document has no converter.
std::string FrenchReason(const ReportedError& error, bool readAsUtf8);

// What the loader knows of how the document is decoded.
struct EncodingFacts {
    bool readAsUtf8 = true;
    // Line of the first byte its converter refuses; 0 when none.
    int firstUndecodableLine = 0;
};

// The error to report among those of one parse (not empty): the first fatal
// one, else the first one. An encoding error of a converted document is
// placed on the line of the first byte the converter refuses; any other
// error that carries no line takes the next reported line.
struct ChosenError {
    std::string reason;
    int line = 0;
};
ChosenError ChooseError(const std::vector<ReportedError>& errors, const EncodingFacts& facts);

} // namespace tressal::xml
