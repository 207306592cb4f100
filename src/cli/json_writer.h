#pragma once

#include <cstddef>
#include <ostream>
#include <string_view>
#include <vector>

namespace tressal::cli {

// Writes one JSON text (RFC 8259) as it goes, compact, in UTF-8: the caller
// opens and closes objects and arrays and names each member; commas come by
// themselves. Strings are taken as UTF-8, a malformed byte becoming U+FFFD.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The name of the next member of the object being written.
    void Key(std::string_view name);

    void String(std::string_view utf8);
    void Number(std::size_t value);
    void Bool(bool value);
    void Null();

private:
    void BeforeValue();
    void Quoted(std::string_view utf8);

    std::ostream& out_;
    std::vector<bool> empty_; // per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

} // namespace tressal::cli
