#include "students/sconet_export.h"

#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"

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

namespace {

// ConvertExport, freeing the lines of consumed (when given, the table the
// lines are read from) once passed.
TextList ConvertLines(LineView exportLines, const StudentFormat& format, bool numberedLines,
                      ExportLineObserver* observer, LineTable* consumed);

} // namespace

TextList ConvertExport(const TextList& exportLines, const StudentFormat& format, bool numberedLines,
                       ExportLineObserver* observer) {
    return ConvertExport(LineView(exportLines), format, numberedLines, observer);
}

TextList ConvertExport(LineView exportLines, const StudentFormat& format, bool numberedLines,
                       ExportLineObserver* observer) {
    return ConvertLines(exportLines, format, numberedLines, observer, nullptr);
}

TextList ConvertExportFreeing(LineTable&& exportLines, const StudentFormat& format,
                              bool numberedLines, ExportLineObserver* observer) {
    return ConvertLines(exportLines, format, numberedLines, observer, &exportLines);
}

namespace {

TextList ConvertLines(LineView exportLines, const StudentFormat& format, bool numberedLines,
                      ExportLineObserver* observer, LineTable* consumed) {
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
        if (consumed)
            consumed->ReleaseBefore(k);
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
        // Built piece by piece, a line can hold twice the room it needs; it
        // is kept until the result is saved.
        line.shrink_to_fit();
        if (observer)
            observer->Written(k, field);
        if (format.sorted)
            sorted.Add(std::move(line));
        else
            result.push_back(std::move(line));
    }
    if (!format.sorted)
        return result;
    // The header goes before the sorted lines, in the room their list has.
    TextList lines = sorted.TakeLines();
    lines.insert(lines.begin(), std::make_move_iterator(result.begin()),
                 std::make_move_iterator(result.end()));
    return lines;
}

} // namespace

} // namespace tressal::students
