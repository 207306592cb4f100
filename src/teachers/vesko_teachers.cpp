#include "teachers/vesko_teachers.h"

#include "teachers/guarded_read.h"
#include "teachers/named_persons.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"

#include <optional>

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

// True when the ";"-joined list holds exactly that code.
bool HoldsCode(const std::string& list, const std::string& code) {
    std::string_view rest(list);
    while (true) {
        const auto end = rest.find(';');
        if (rest.substr(0, end) == code)
            return true;
        if (end == std::string_view::npos)
            return false;
        rest.remove_prefix(end + 1);
    }
}

} // namespace

DivisionIndex::DivisionIndex(const sts::b::TXMLSTS_EDTType& root) {
    using Divisions = sts::b::TXMLDIVISIONSType;
    // A missing structure (an export sent before the timetable) gives no division.
    const auto divisions = GuardedRead(
        [&] { return std::optional<Divisions>(root.DONNEES().STRUCTURE().DIVISIONS()); },
        std::optional<Divisions>());
    if (!divisions)
        return;
    for (int d = 0; d < divisions->Count(); ++d) {
        const auto division = divisions->Item(d);
        const std::string code = GuardedRead([&] { return division.CODE(); }, std::string());
        if (code.empty())
            continue;
        using Services = sts::b::TXMLSERVICESType;
        const auto services =
            GuardedRead([&] { return std::optional<Services>(division.SERVICES()); },
                        std::optional<Services>());
        for (int s = 0; services && s < services->Count(); ++s) {
            const auto service = services->Item(s);
            // Every teacher of a service counts, co-teachers included.
            const int teachers =
                GuardedRead([&] { return service.ENSEIGNANTS().CountENSEIGNANT(); }, 0);
            for (int t = 0; t < teachers; ++t) {
                const auto id = GuardedRead(
                    [&] {
                        return std::optional<std::int32_t>(
                            service.ENSEIGNANTS().AllENSEIGNANT(t).ID());
                    },
                    std::optional<std::int32_t>());
                if (!id)
                    continue;
                std::string& list = classes_[std::to_string(*id)];
                if (list.empty())
                    list = code;
                else if (!HoldsCode(list, code))
                    list += ";" + code;
            }
        }
    }
}

std::string DivisionIndex::ListeClasses(const std::string& id) const {
    const auto found = classes_.find(id);
    return found == classes_.end() ? std::string() : found->second;
}

TextList VeskoTeachers(const std::filesystem::path& input) {
    sts::b::StsDocument document;
    document.SetFileName(input);
    const auto root = document.Root();
    return VeskoTeachers(root, DivisionIndex(root));
}

TextList VeskoTeachers(const sts::b::TXMLSTS_EDTType& root, const DivisionIndex& index) {
    TextList lines{kHeader};
    ForEachNamedPerson(root, [&](const auto& person, const std::string& name) {
        const std::string first = person.PRENOM();
        const std::string civility = Civility(person.CIVILITE());
        const std::string id = std::to_string(person.ID());
        const std::string date =
            GuardedRead([&] { return DayMonthYear(person.DATE_NAISSANCE()); }, std::string());
        const std::string discipline =
            GuardedRead([&] { return person.DISCIPLINES().DISCIPLINE().CODE(); }, std::string());
        lines.push_back(Utf8ToCp1252(";" + id + ";" + civility + ";" + name + ";" + first + ";" +
                                     discipline + ";" + date + ";;;" + index.ListeClasses(id)));
    });
    return lines;
}

} // namespace tressal::teachers
