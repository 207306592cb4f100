#include "teachers/vesko_teachers.h"

#include "teachers/named_persons.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"
#include "xml/node.h"

#include <algorithm>
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

// Lists of up to this many pieces are searched piece by piece; longer ones
// through a set, so that adding stays in constant time per code.
constexpr std::size_t kScannedPieces = 16;

// Calls visit(piece) for every ";"-separated piece of the text until it
// returns true; returns whether one did.
template <class Visit> bool AnyPiece(std::string_view text, Visit&& visit) {
    while (true) {
        const std::size_t end = text.find(';');
        if (visit(text.substr(0, end)))
            return true;
        if (end == std::string_view::npos)
            return false;
        text.remove_prefix(end + 1);
    }
}

void InsertPieces(std::string_view text, std::unordered_set<std::string>& pieces) {
    AnyPiece(text, [&](std::string_view piece) {
        pieces.emplace(piece);
        return false;
    });
}

} // namespace

DivisionIndex::DivisionIndex(const sts::StsExport& data) {
    // A missing structure (an export sent before the timetable), division
    // list, code, service list or teacher ID gives nothing.
    for (const sts::StsDivision& division : data.divisions) {
        const std::string code = AsOneField(division.code.value_or(""), ';');
        if (code.empty())
            continue;
        // Every teacher of a service counts, co-teachers included.
        for (const std::int32_t id : division.teachers)
            Add(id, code);
    }
}

void DivisionIndex::Add(std::int32_t id, const std::string& code) {
    auto [entry, added] = classes_.try_emplace(id);
    Divisions& divisions = entry->second;
    const std::size_t codePieces = 1 + std::count(code.begin(), code.end(), ';');
    if (added) {
        divisions.list = code;
        divisions.pieceCount = codePieces;
        return;
    }
    // A code holding ";" never equals a piece: it always joins.
    if (codePieces == 1) {
        if (divisions.pieceCount >= kScannedPieces && divisions.pieces.empty())
            InsertPieces(divisions.list, divisions.pieces);
        const bool held =
            divisions.pieces.empty()
                ? AnyPiece(divisions.list, [&](std::string_view p) { return p == code; })
                : divisions.pieces.contains(code);
        if (held)
            return;
    }
    divisions.list += ";" + code;
    divisions.pieceCount += codePieces;
    if (!divisions.pieces.empty())
        InsertPieces(code, divisions.pieces);
}

std::string DivisionIndex::ListeClasses(const std::string& id) const {
    // Only the decimal text of an ID names one.
    const std::optional<std::int32_t> number = xml::ParseInteger(id);
    if (!number || std::to_string(*number) != id)
        return {};
    const auto found = classes_.find(*number);
    return found == classes_.end() ? std::string() : found->second.list;
}

TextList VeskoTeachers(const sts::StsExport& data, const DivisionIndex& index,
                       PersonObserver* told) {
    TextList lines{kHeader};
    ForEachNamedPerson(data, told, [&](const auto& person, const std::string& name, auto at) {
        const std::string first = AsOneField(person.firstName.Required("PRENOM"), ';');
        const std::string civility = Civility(person.civility.RequiredInteger("CIVILITE"));
        const std::string id = std::to_string(person.Id());
        // Both empty when they are missing or unreadable.
        const std::optional<std::string> born = person.birthDate.IfAny();
        const std::string date = born ? DayMonthYear(AsOneField(*born, ';')) : std::string();
        const std::string discipline = AsOneField(person.discipline.value_or(""), ';');
        const std::string divisions = index.ListeClasses(id);
        lines.push_back(Utf8ToCp1252(";" + id + ";" + civility + ";" + AsOneField(name, ';') + ";" +
                                     first + ";" + discipline + ";" + date + ";;;" + divisions));
        if (told) {
            told->Written(person, at);
            if (divisions.empty())
                told->WithoutDivision(person, at);
        }
    });
    return lines;
}

} // namespace tressal::teachers
