#include "students/sconet_export.h"

#include "students/spreadsheet_lines.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"

#include <iterator>

namespace tressal::students {
namespace {

constexpr int kHeaderFields = 22;

bool SameStudent(const std::string& a, const std::string& b) {
    return FieldAt(a, 1, ';') == FieldAt(b, 1, ';') && FieldAt(a, 2, ';') == FieldAt(b, 2, ';');
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

TextList ExportLines(std::string bytes, bool* resavedBySpreadsheet) {
    const std::string text = DecodeText(std::move(bytes));
    // NULs that only pad the end are dropped; one before text would lose it.
    if (const std::size_t line = LineOfNulBeforeText(text))
        throw Error("Le fichier contient un caractère nul à la ligne " + std::to_string(line) +
                    " : il est abîmé ou ce n'est pas un export texte.");
    TextList lines = SplitLines(text);
    const bool resaved = IsResavedBySpreadsheet(lines);
    if (resaved)
        for (std::string& line : lines)
            line = UnquotedLine(line);
    if (resavedBySpreadsheet)
        *resavedBySpreadsheet = resaved;
    return lines;
}

void CheckHeader(const TextList& lines) {
    if (lines.empty())
        throw Error("Indice de liste hors limites (0)\nLe fichier est vide : refaites l'export des "
                    "élèves, ou choisissez un autre fichier.");
    const int count = CountFields(lines.front(), ';');
    if (count != kHeaderFields)
        throw Error("Le fichier que vous avez sélectionné est incorrect. Il ne comporte que " +
                    std::to_string(count) + " Champs. L'extracteur necessite 22 champs");
}

std::vector<std::size_t> NeighbourSurvivors(const TextList& lines, KeepInRun keep) {
    std::vector<std::size_t> kept;
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
    CheckHeader(exportLines);
    TextList result;
    SortedTextList sorted;
    if (format.header)
        result.push_back(*format.header);
    const std::vector<std::size_t> kept = NeighbourSurvivors(exportLines, format.keep);
    std::size_t next = 0; // the first kept line not yet reached
    Fields field;         // of each line in turn
    for (std::size_t k = 1; k < exportLines.size(); ++k) {
        if (next == kept.size() || kept[next] != k) {
            // The run's first line kept is before it, its last after it.
            if (observer)
                observer->Duplicate(k,
                                    format.keep == KeepInRun::First ? kept[next - 1] : kept[next]);
            continue;
        }
        ++next;
        field.Reset(exportLines[k], ';');
        if (field.View(1).empty()) {
            if (observer)
                observer->Nameless(k);
            continue;
        }
        std::string line = format.line(field, numberedLines ? k + 1 : 0);
        if (observer)
            observer->Written(k, field);
        if (format.sorted)
            sorted.Add(line);
        else
            result.push_back(std::move(line));
    }
    if (format.sorted) {
        TextList lines = sorted.TakeLines();
        result.insert(result.end(), std::make_move_iterator(lines.begin()),
                      std::make_move_iterator(lines.end()));
    }
    return result;
}

} // namespace tressal::students
