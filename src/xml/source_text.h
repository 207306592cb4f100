#pragma once

#include <string>
#include <string_view>

namespace tressal::xml {

// The text of an XML document in UTF-8, decoded as libxml2 reads it: by its
// byte order mark or first bytes, else by the encoding its XML declaration
// names, else as UTF-8. Bytes the decoder refuses become U+FFFD. Load errors
// use it to quote the faulty line and to place encoding errors.
class SourceText {
public:
    explicit SourceText(std::string_view document);

    // True when the document has no converter: its bytes are read as UTF-8.
    bool ReadAsUtf8() const { return readAsUtf8_; }

    // The line (from 1) of the first byte the converter refuses; 0 when none.
    int FirstUndecodableLine() const { return firstUndecodableLine_; }

    // The first 40 characters of line `line` (from 1; lines end at LF, as
    // libxml2 counts them); empty when the line does not exist.
    std::string Quote(int line) const;

private:
    std::string text_;
    bool readAsUtf8_ = true;
    int firstUndecodableLine_ = 0;
};

} // namespace tressal::xml
