#pragma once

#include "xml/input.h"
#include "xml/safe_parse.h"

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace tressal::xml {

// What a parse error needs of the document's text, read once from its start
// to its end and decoded as libxml2 reads it: by its byte order mark or first
// bytes, else by the encoding its XML declaration names, else as UTF-8. Bytes
// the decoder refuses become U+FFFD. Only the start of the lines asked for is
// kept, so a document of any size is quoted in little memory.
class SourceText {
public:
    SourceText(const ByteSource& document, const std::set<int>& wantedLines);

    // True when the document has no converter: its bytes are read as UTF-8.
    bool ReadAsUtf8() const { return readAsUtf8_; }

    // The line (from 1) of the first byte the converter refuses; 0 when none.
    int FirstUndecodableLine() const { return firstUndecodableLine_; }

    // The first 40 characters of line `line` (from 1; lines end at LF, as
    // libxml2 counts them), a wanted line or the first undecodable one;
    // empty when the line does not exist.
    std::string Quote(int line) const;

private:
    void Feed(std::string_view utf8);
    void EndLine();

    bool readAsUtf8_ = true;
    int firstUndecodableLine_ = 0;
    std::set<int> wanted_;
    int line_ = 1;
    std::string current_; // the start of line line_
    std::map<int, std::string> kept_;
};

// Throws the LoadError of a parse that failed: its refusal, else the error
// ChooseError picks among those reported, else "not well-formed" at
// lastLine; with the faulty line quoted from the document read once more.
[[noreturn]] void ThrowParseError(const ParseReport& report, int lastLine,
                                  const ByteSource& document);

} // namespace tressal::xml
