#pragma once

#include "text/text_helpers.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// What a conversion kept, set aside and found odd, told by the conversion as
// it reads, so that the user can check the result before replacing a file.
// Texts are UTF-8 unless said otherwise.
namespace tressal {

// Where an entry was read: a line of the export (from 1), or an element of an
// XML export, or a file of a folder. The label words it for people; the other
// fields give the same place as facts, for scripts. A plain line, the origin
// of most warnings of a long export, takes no room beyond its number.
class Origin {
public:
    Origin() = default;
    // A line of the export; file: the export of a folder it was read in, or "".
    explicit Origin(std::size_t lineNumber, std::string file = {});
    explicit Origin(std::string text);

    // A file of a folder, or the file compared with.
    static Origin File(std::string name);
    // An element by its identifier ("ELEVE_ID" "4711", "INDIVIDU" "12") or,
    // when it has none, by its rank from 1 ("ELEVE" and 3); file: the export
    // of a folder it was read in, or "".
    static Origin Element(std::string label, std::string element, std::string id, std::size_t rank,
                          std::string file = {});

    std::size_t line = 0; // 0: not a line, see label

    // "ELEVE_ID 4711", "INDIVIDU ID=12", a file name
    const std::string& label() const { return place_ ? place_->label : kNone; }
    // "ELEVE_ID", "INDIVIDU", "ELEVE", "PARAMETRES/ANNEE_SCOLAIRE"
    const std::string& element() const { return place_ ? place_->element : kNone; }
    // the element's identifier, "" when it has none
    const std::string& id() const { return place_ ? place_->id : kNone; }
    // the element's rank when it has no identifier
    std::size_t rank() const { return place_ ? place_->rank : 0; }
    const std::string& file() const { return place_ ? place_->file : kNone; }

    bool operator==(const Origin& other) const;

private:
    struct Place {
        std::string label;
        std::string element;
        std::string id;
        std::size_t rank = 0;
        std::string file;
    };
    static inline const std::string kNone;

    // Shared by the copies, never changed once made; none for a plain line.
    std::shared_ptr<const Place> place_;
};

// "ligne 14", or the label.
std::string OriginText(const Origin& origin);

// Why an entry of the export is listed apart from the lines written (their
// keywords, in report_text.cpp, follow this order).
enum class EntryReason {
    EmptyFirstField,    // no name: no line
    NeighbourDuplicate, // same name and first name as its neighbour: no line
    LeftSchool,         // gone on the export date: no line
    WithoutDivision,    // written, but teaches in no division
    CiteDuplicate,      // met before in the cité scolaire: in the duplicates file
    WithoutAddress,     // written without an address, for a target that needs one
};

// Every reason, in the order the report tells them.
inline constexpr EntryReason kEntryReasons[] = {
    EntryReason::NeighbourDuplicate, EntryReason::EmptyFirstField, EntryReason::LeftSchool,
    EntryReason::WithoutDivision,    EntryReason::CiteDuplicate,   EntryReason::WithoutAddress};

struct ListedEntry {
    EntryReason reason;
    Origin origin;
    std::string name;
    std::string firstName;
    Origin duplicateOf; // the entry kept in its place, for the duplicates
};

// What each kind keeps in value, other and number (their keywords, in
// report_text.cpp, follow this order).
enum class WarningKind {
    ShortLine,              // fewer than 22 fields: number of fields, value the last one
    MalformedBirthDate,     // not dd/mm/yyyy: value the date
    Utf8ReadAsCp1252,       // UTF-8 text on a line read as Windows-1252, not being valid UTF-8
    WithoutDivision,        // a student in no division
    WithoutBirthDate,       // a student without birth date
    EstablishmentMismatch,  // the STS export's own code (value) differs from its name's (other)
    SameEstablishmentTwice, // in a cité scolaire, the code (value) of an export read before (other)
    OtherSchoolYear,        // a SIECLE export of another school year (value), not today's (number)
    ExistingFileUnreadable, // the file to replace cannot be read to compare: value the reason
    RepresentativesOtherEstablishment, // the representatives' export is of establishment
                                       // value, the students' of other: left aside
    RepresentativesOtherYear,          // the representatives' export is of school year value, the
                                       // students' of other
    ResavedBySpreadsheet,   // a Sconet CSV saved again by a spreadsheet, its quotes taken off
    Utf8DespiteDeclaration, // an XML declared single-byte whose text is UTF-8, read as UTF-8
    MixedEncodings,         // from that line, an XML's bytes mix UTF-8 and its declared set
    Unwritable, // names written with "?" for what Windows-1252 cannot hold: value as written
    AccentedAfterFolding, // Orlane's upper-cased names still hold an accent: value as written
};

// Something that did not stop the conversion but deserves a look. It keeps
// the facts only; WarningText words it.
struct Warning {
    WarningKind kind;
    Origin origin;
    std::string name;
    std::string firstName;
    std::string value = {};
    std::string other = {};
    std::size_t number = 0;
};

// The result set against the file it would replace. Lines are Windows-1252;
// a header line takes no part.
struct Comparison {
    std::filesystem::path file;
    std::size_t unchanged = 0;
    TextList added;   // in the result's order
    TextList removed; // in the file's order
};

// Who the result lists, and how they are grouped.
enum class Population { Students, Teachers };

// The warning for a person whose names (UTF-8) hold a character that
// Windows-1252 cannot hold; nothing when it holds them all.
std::optional<Warning> UnwritableWarning(Origin origin, const std::string& name,
                                         const std::string& firstName);

struct ConversionReport {
    Population population = Population::Students;
    std::size_t read = 0;    // lines, students or persons read
    std::size_t written = 0; // lines written, a header line aside
    std::size_t edited = 0;  // lines touched up in the preview before saving
    // Addresses and phones taken from the legal representatives' export.
    std::size_t addressesFromRepresentatives = 0;
    std::size_t phonesFromRepresentatives = 0;
    std::vector<ListedEntry> entries;
    // Students per division, or persons per discipline (code; "" for none,
    // last), sorted.
    std::vector<std::pair<std::string, std::size_t>> groups;
    std::vector<Warning> warnings;
    std::optional<Comparison> comparison;

    std::size_t Count(EntryReason reason) const;
};

// Counts lines by a short code, such as the division of each student: an
// export has a few dozen codes and thousands of lines, so the codes are kept
// in a flat list, told apart by their first eight bytes.
class CodeCounter {
public:
    void Add(std::string_view code);
    // Each code with its count, in the order the codes were first met.
    std::vector<std::pair<std::string, std::size_t>> Counts() const;

private:
    struct Entry {
        std::uint64_t prefix;
        std::string code;
        std::size_t count;
    };
    std::vector<Entry> entries_;
    std::size_t last_ = 0; // the entry of the code added last
};

// "2026-2027" for "2026"; any other text as it is.
std::string SchoolYearSpan(const std::string& schoolYear);

// The year in which the school year holding that day starts: the year itself
// from September on, the year before until August.
int SchoolYearOf(std::chrono::year_month_day day);

// A warning when a SIECLE export's school year (PARAMETRES/ANNEE_SCOLAIRE,
// the year it starts) is not today's. In July and August the coming year
// counts as well, as SIECLE is switched to it before the summer. Nothing when
// the export gives no year or today is not given.
std::optional<Warning> SchoolYearWarning(const std::string& schoolYear,
                                         std::chrono::year_month_day today);

} // namespace tressal
