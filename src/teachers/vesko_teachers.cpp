#include "teachers/vesko_teachers.h"

#include "teachers/named_persons.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace tressal::teachers {
namespace {

const char* const kHeader =
    "UID;N\xB0Interne;Civilit\xE9;Nom;Pr\xE9nom;Discipline;Date de naissance;Login;Mdp;Division1";

std::string Civility(std::int32_t code) {
    switch (code) {
    case 1:
        return "M.";
    case 2:
        return "Mme";
    case 3:
        return "Mlle";
    default:
        return std::to_string(code);
    }
}

// yyyy-mm-dd as dd/mm/yyyy.
std::string DayMonthYear(const std::string& date) {
    return FieldAt(date, 3, '-') + "/" + FieldAt(date, 2, '-') + "/" + FieldAt(date, 1, '-');
}

// Adds every ";"-separated piece of the text to the set.
void InsertPieces(std::string_view text, std::unordered_set<std::string>& pieces) {
    while (true) {
        const std::size_t end = text.find(';');
        pieces.emplace(text.substr(0, end));
        if (end == std::string_view::npos)
            return;
        text.remove_prefix(end + 1);
    }
}

} // namespace

DivisionIndex::DivisionIndex(const sts::b::TXMLSTS_EDTType& root) {
    // A missing structure (an export sent before the timetable), division
    // list, code, service list or teacher ID gives nothing.
    const auto divisions = root.DONNEES(sts::kIfAny).STRUCTURE(sts::kIfAny).DIVISIONS(sts::kIfAny);
    for (const auto division : divisions) {
        const std::string code = division.CODE(sts::kIfAny).value_or("");
        if (code.empty())
            continue;
        for (const auto service : division.SERVICES(sts::kIfAny)) {
            // Every teacher of a service counts, co-teachers included.
            for (const auto teacher : service.ENSEIGNANTS(sts::kIfAny)) {
                if (const std::optional<std::int32_t> id = teacher.ID(sts::kIfAny))
                    Add(std::to_string(*id), code);
            }
        }
    }
}

void DivisionIndex::Add(const std::string& id, const std::string& code) {
    auto [entry, added] = classes_.try_emplace(id);
    Divisions& divisions = entry->second;
    if (added) {
        divisions.list = code;
        return;
    }
    if (divisions.pieces.empty())
        InsertPieces(divisions.list, divisions.pieces);
    // A code holding ";" never equals a piece: it always joins.
    if (code.find(';') == std::string::npos && divisions.pieces.contains(code))
        return;
    divisions.list += ";" + code;
    InsertPieces(code, divisions.pieces);
}

std::string DivisionIndex::ListeClasses(const std::string& id) const {
    const auto found = classes_.find(id);
    return found == classes_.end() ? std::string() : found->second.list;
}

TextList VeskoTeachers(const std::filesystem::path& input) {
    sts::b::StsDocument document;
    document.SetFileName(input);
    const auto root = document.Root();
    const DivisionIndex index(root);
    TextList lines{kHeader};
    ForEachNamedPerson(root, [&](const auto& person, const std::string& name) {
        const std::string first = person.PRENOM();
        const std::string civility = Civility(person.CIVILITE());
        const std::string id = std::to_string(person.ID());
        // Both empty when they are missing or unreadable.
        const std::optional<std::string> born = person.DATE_NAISSANCE(sts::kIfAny);
        const std::string date = born ? DayMonthYear(*born) : std::string();
        const std::string discipline =
            person.DISCIPLINES(sts::kIfAny).DISCIPLINE(sts::kIfAny).CODE(sts::kIfAny).value_or("");
        lines.push_back(Utf8ToCp1252(";" + id + ";" + civility + ";" + name + ";" + first + ";" +
                                     discipline + ";" + date + ";;;" + index.ListeClasses(id)));
    });
    return lines;
}

} // namespace tressal::teachers
