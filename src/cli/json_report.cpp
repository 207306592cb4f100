#include "cli/json_report.h"

#include "conversions/report_text.h"
#include "text/cp1252.h"
#include "text/files.h"
#include "text/utf8.h"

#include <string>

namespace tressal::cli {
namespace {

void Member(JsonWriter& json, const char* key, const std::string& value) {
    json.Key(key);
    json.String(value);
}

void Member(JsonWriter& json, const char* key, std::size_t value) {
    json.Key(key);
    json.Number(value);
}

// {"ligne": 7}, {"ELEVE_ID": "9005"}, {"element": "ELEVE", "rang": 3},
// {"INDIVIDU": "12", "fichier": "…"}, {"fichier": "…"}; null for no place.
void WriteOrigin(JsonWriter& json, const char* key, const Origin& origin) {
    json.Key(key);
    if (origin == Origin()) {
        json.Null();
        return;
    }
    json.BeginObject();
    if (origin.line > 0)
        Member(json, "ligne", origin.line);
    if (!origin.id().empty()) {
        Member(json, origin.element().c_str(), origin.id());
    } else if (!origin.element().empty()) {
        Member(json, "element", origin.element());
        if (origin.rank() > 0)
            Member(json, "rang", origin.rank());
    }
    if (!origin.file().empty())
        Member(json, "fichier", origin.file());
    json.EndObject();
}

void WritePerson(JsonWriter& json, const std::string& name, const std::string& firstName) {
    Member(json, "nom", name);
    Member(json, "prenom", firstName);
}

// An array of objects under the key, one per item, whose members `write` gives.
template <class Items, class Write>
void WriteObjects(JsonWriter& json, const char* key, const Items& items, Write write) {
    json.Key(key);
    json.BeginArray();
    for (const auto& item : items) {
        json.BeginObject();
        write(item);
        json.EndObject();
    }
    json.EndArray();
}

void WriteEntries(JsonWriter& json, const ConversionReport& report) {
    json.Key("ecartes");
    json.BeginObject();
    for (const EntryReason reason : kEntryReasons)
        Member(json, ReasonCode(reason), report.Count(reason));
    json.EndObject();
    WriteObjects(json, "entrees", report.entries, [&](const auto& entry) {
        Member(json, "raison", ReasonCode(entry.reason));
        WriteOrigin(json, "lieu", entry.origin);
        WritePerson(json, entry.name, entry.firstName);
        WriteOrigin(json, "garde", entry.duplicateOf);
    });
}

void WriteWarnings(JsonWriter& json, const ConversionReport& report) {
    WriteObjects(json, "avertissements", report.warnings, [&](const auto& warning) {
        Member(json, "code", WarningCode(warning.kind));
        WriteOrigin(json, "lieu", warning.origin);
        WritePerson(json, warning.name, warning.firstName);
        Member(json, "valeur", warning.value);
        Member(json, "autre", warning.other);
        Member(json, "nombre", warning.number);
        Member(json, "texte", WarningText(warning));
    });
}

void WriteLines(JsonWriter& json, const char* key, const TextList& lines) {
    json.Key(key);
    json.BeginArray();
    for (const auto& line : lines)
        json.String(Cp1252ToUtf8(line));
    json.EndArray();
}

void WriteComparison(JsonWriter& json, const ConversionReport& report) {
    json.Key("comparaison");
    if (!report.comparison) {
        json.Null();
        return;
    }
    json.BeginObject();
    Member(json, "fichier", PathText(report.comparison->file));
    Member(json, "inchangees", report.comparison->unchanged);
    WriteLines(json, "ajouts", report.comparison->added);
    WriteLines(json, "retraits", report.comparison->removed);
    json.EndObject();
}

} // namespace

void PrintJsonReport(std::ostream& out, const ConversionReport& report, const RunOutcome& outcome) {
    const bool students = report.population == Population::Students;
    JsonWriter json(out);
    json.BeginObject();
    json.Key("simulation");
    json.Bool(outcome.simulation);
    Member(json, "fichier", outcome.file);
    json.Key("message");
    if (outcome.simulation)
        json.Null();
    else
        json.String(outcome.message);
    Member(json, "population", students ? "eleves" : "enseignants");
    Member(json, "resume", SummaryText(report));
    Member(json, "lus", report.read);
    Member(json, "ecrits", report.written);
    WriteEntries(json, report);
    WriteWarnings(json, report);
    json.Key(students ? "classes" : "disciplines");
    json.BeginArray();
    for (const auto& [code, count] : report.groups) {
        json.BeginObject();
        Member(json, "code", code);
        Member(json, "nombre", count);
        json.EndObject();
    }
    json.EndArray();
    WriteComparison(json, report);
    json.EndObject();
    out << '\n';
}

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

void JsonWriter::Open(char bracket) {
    BeforeValue();
    out_ << bracket;
    empty_.push_back(true);
}

void JsonWriter::Close(char bracket) {
    empty_.pop_back();
    out_ << bracket;
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
