#include "students/sconet_export.h"

#include "students/spreadsheet_lines.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/file_read.h"
#include "text/text_decoding.h"
#include "text/text_helpers.h"
#include "text/utf8.h"

#include <iterator>
#include <utility>

namespace tressal::students {
namespace {

bool SameStudent(std::string_view a, std::string_view b) {
    using enum StudentField;
    const StudentFields first(a);
    const StudentFields second(b);
    return first.View(LastName) == second.View(LastName) &&
           first.View(FirstName) == second.View(FirstName);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Whether the bytes hold a UTF-8 character that Windows-1252 cannot hold.
bool HoldsUnwritableUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        char32_t cp = 0;
        const std::size_t length =
            static_cast<unsigned char>(bytes[at]) < 0x80 ? 1 : DecodeUtf8(bytes, at, cp);
        if (length > 1 && CodePointToCp1252(cp) == '?')
            return true;
        at += length == 0 ? 1 : length;
    }
    return false;
}

// The lines of the file that hold such a character, counted from 0 as
// SplitLines counts them, as written: read as UTF-8, they give it as "?".
// A UTF-16 file is not looked at.
std::vector<std::pair<std::size_t, std::string>> UnwritableUtf8Lines(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Mark))
        bytes.remove_prefix(kUtf8Mark.size());
    std::vector<std::pair<std::size_t, std::string>> found;
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
        !HoldsUnwritableUtf8(bytes))
        return found;
    std::size_t k = 0;
    ForEachLine(bytes, [&](std::string_view line) {
        if (k++ > 0 && HoldsUnwritableUtf8(line))
            found.emplace_back(k - 1, line);
    });
    return found;
}

// The line in UTF-8, a byte outside a valid sequence taken as Windows-1252,
// as DecodeText takes it behind a byte order mark.
std::string AsUtf8(std::string_view line) {
    std::string text;
    for (std::size_t at = 0; at < line.size();) {
        char32_t cp = 0;
        const std::size_t length = DecodeUtf8(line, at, cp);
        text += length == 0 ? Cp1252ToUtf8(line.substr(at, 1)) : line.substr(at, length);
        at += length == 0 ? 1 : length;
    }
    return text;
}

const char* const kExpectedName =
    "Le nom attendu est le code de l'établissement, sept chiffres et une lettre, suivi de "
    "« .csv » (par exemple 0123456A.csv) ; ou choisissez un export des élèves de SIECLE (.xml ou "
    ".zip).";

} // namespace

std::string EstablishmentCodeOf(const std::filesystem::path& input) {
    const std::string name = PathText(input.filename());
    const std::string code = FieldAt(name, 1, '.');
    const std::string extension = AsciiUpper(FieldAt(name, 2, '.'));
    if (extension != "CSV" || !IsEstablishmentCode(code))
        throw Error("Nom de fichier incorrect\n" + std::string(kExpectedName));
    return code;
}

TextList LoadExport(const std::filesystem::path& input) {
    return ExportLines(ReadWholeFile(input));
}

TextList ExportLines(std::string bytes) {
    return ReadSconetLines(std::move(bytes)).lines.List();
}

SconetLines ReadSconetLines(std::string bytes) {
    auto unwritableLines = UnwritableUtf8Lines(bytes);
    std::string text = DecodeText(std::move(bytes));
    // NULs that only pad the end are dropped; one before text would lose it.
    if (const std::size_t line = LineOfNulBeforeText(text))
        throw Error("Le fichier contient un caractère nul à la ligne " + std::to_string(line) +
                    " : il est abîmé ou ce n'est pas un export texte.");
    SconetLines result;
    result.lines = LineTable::FromText(std::move(text));
    const LineTable& lines = result.lines;
    result.resavedBySpreadsheet = IsResavedBySpreadsheet(lines);
    for (auto& [k, written] : unwritableLines) {
        // A line left in Windows-1252, another line being surely so, lost nothing.
        if (k >= lines.size() || lines[k] == written)
            continue;
        const std::string original =
            AsUtf8(result.resavedBySpreadsheet ? UnquotedLine(written) : written);
        result.unwritable.push_back({k, StudentFieldOf(original, StudentField::LastName),
                                     StudentFieldOf(original, StudentField::FirstName)});
    }
    if (result.resavedBySpreadsheet)
        result.lines.RewriteEach(&UnquotedLine);
    return result;
}

void CheckHeader(const TextList& lines) {
    CheckHeader(LineView(lines));
}

void CheckHeader(LineView lines) {
    if (lines.empty())
        throw Error("Indice de liste hors limites (0)\nLe fichier est vide : refaites l'export des "
                    "élèves, ou choisissez un autre fichier.");
    const int count = CountFields(std::string(lines[0]), ';');
    if (count != static_cast<int>(kStudentFieldCount))
        throw Error("Le fichier que vous avez sélectionné est incorrect. Il ne comporte que " +
                    std::to_string(count) + " Champs. L'extracteur necessite 22 champs");
}

std::vector<std::size_t> NeighbourSurvivors(LineView lines, KeepInRun keep) {
    std::vector<std::size_t> kept;
    kept.reserve(lines.size());
    for (std::size_t k = 1; k < lines.size(); ++k) {
        const bool duplicate = keep == KeepInRun::First
                                   ? k > 1 && SameStudent(lines[k], lines[k - 1])
                                   : k + 1 < lines.size() && SameStudent(lines[k], lines[k + 1]);
        if (!duplicate)
            kept.push_back(k);
    }
    return kept;
}

TextList ConvertExport(const TextList& exportLines, const StudentFormat& format, bool numberedLines,
                       ExportLineObserver* observer) {
    return ConvertExport(LineView(exportLines), format, numberedLines, observer);
}

TextList ConvertExport(LineView exportLines, const StudentFormat& format, bool numberedLines,
                       ExportLineObserver* observer) {
    CheckHeader(exportLines);
    TextList result;
    if (!format.sorted)
        result.reserve(exportLines.size());
    SortedTextList sorted;
    if (format.header)
        result.push_back(*format.header);
    const std::vector<std::size_t> kept = NeighbourSurvivors(exportLines, format.keep);
    std::size_t next = 0; // the first kept line not yet reached
    StudentFields field;  // of each line in turn
    for (std::size_t k = 1; k < exportLines.size(); ++k) {
        if (next == kept.size() || kept[next] != k) {
            // The run's first line kept is before it, its last after it.
            if (observer)
                observer->Duplicate(k,
                                    format.keep == KeepInRun::First ? kept[next - 1] : kept[next]);
            continue;
        }
        ++next;
        field.Reset(exportLines[k]);
        if (field.View(StudentField::LastName).empty()) {
            if (observer)
                observer->Nameless(k);
            continue;
        }
        std::string line = format.line(field, numberedLines ? std::optional(k + 1) : std::nullopt);
        if (observer)
            observer->Written(k, field);
        if (format.sorted)
            sorted.Add(line);
        else
            result.push_back(std::move(line));
    }
    if (format.sorted && result.empty())
        return sorted.TakeLines();
    if (format.sorted) {
        TextList lines = sorted.TakeLines();
        result.insert(result.end(), std::make_move_iterator(lines.begin()),
                      std::make_move_iterator(lines.end()));
    }
    return result;
}

} // namespace tressal::students
