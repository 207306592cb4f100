#pragma once

#include "conversions/conversion_report.h"

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tressal::cli {

// What the command did, told before the report.
struct RunOutcome {
    bool simulation;     // --dry-run: nothing written
    std::string file;    // the file written, or that a save would write (UTF-8)
    std::string message; // the completion message; "" for a simulation
};

// Prints the outcome and the report as one JSON object (UTF-8) on one line,
// for scripts; its members are described in tressal-cli(1). Places are
// objects of facts ({"ligne": 7}, {"ELEVE_ID": "9005"}, {"INDIVIDU": "12",
// "fichier": "sts_emp_0123456A_2026.xml"}), never prose.
void PrintJsonReport(std::ostream& out, const ConversionReport& report, const RunOutcome& outcome);

// Writes one JSON text (RFC 8259) as it goes, compact, in UTF-8: the caller
// opens and closes objects and arrays and names each member; commas come by
// themselves. Strings are taken as UTF-8, a malformed byte becoming U+FFFD.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }
    // The name of the next member of the object being written.
    void Key(std::string_view name);

    void String(std::string_view utf8);
    void Number(std::size_t value);
    void Bool(bool value);
    void Null();

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void Quoted(std::string_view utf8);

    std::ostream& out_;
    std::vector<bool> empty_; // per open object or array: nothing written in it yet
    bool afterKey_ = false;
};

} // namespace tressal::cli
