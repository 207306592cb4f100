#include "cli/json_writer.h"

#include "text/utf8.h"

#include <string>

namespace tressal::cli {

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!empty_.empty()) {
        if (!empty_.back())
            out_ << ',';
        empty_.back() = false;
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_ << '{';
    empty_.push_back(true);
}

void JsonWriter::EndObject() {
    empty_.pop_back();
    out_ << '}';
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_ << '[';
    empty_.push_back(true);
}

void JsonWriter::EndArray() {
    empty_.pop_back();
    out_ << ']';
}

void JsonWriter::Key(std::string_view name) {
    BeforeValue();
    Quoted(name);
    out_ << ':';
    afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8) {
    BeforeValue();
    Quoted(utf8);
}

void JsonWriter::Number(std::size_t value) {
    BeforeValue();
    out_ << value;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ << (value ? "true" : "false");
}

void JsonWriter::Null() {
    BeforeValue();
    out_ << "null";
}

// The quotation mark, the reverse solidus and the control characters are
// escaped; every other character goes as it is.
void JsonWriter::Quoted(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string escaped = "\"";
    for (const char c : SanitizeUtf8(utf8)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            escaped += '\\';
            escaped += c;
        } else if (c == '\n') {
            escaped += "\\n";
        } else if (c == '\r') {
            escaped += "\\r";
        } else if (c == '\t') {
            escaped += "\\t";
        } else if (byte < 0x20) {
            escaped += "\\u00";
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
        } else {
            escaped += c;
        }
    }
    out_ << escaped << '"';
}

} // namespace tressal::cli
