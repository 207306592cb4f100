#include "conversions/teacher_report.h"

#include "teachers/guarded_read.h"
#include "text/collation.h"
#include "text/cp1252.h"
#include "text/file_io.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <optional>

namespace tressal {
namespace {

using Person = sts::b::TXMLINDIVIDUType;

// "INDIVIDU ID=12", or its place when the ID cannot be read; in a cité
// scolaire, after the export's name.
Origin PersonOrigin(const Person& person, int index, const std::string& exportName) {
    const auto id = teachers::GuardedRead([&] { return std::optional<std::int32_t>(person.ID()); },
                                          std::optional<std::int32_t>());
    const std::string element =
        id ? "INDIVIDU ID=" + std::to_string(*id) : "INDIVIDU n°" + std::to_string(index + 1);
    return Origin(exportName.empty() ? element : exportName + ", " + element);
}

std::string Read(const std::function<std::string()>& read) {
    return teachers::GuardedRead(read, std::string());
}

template <class Visit> void ForEachPerson(const sts::b::TXMLSTS_EDTType& root, Visit&& visit) {
    using Persons = sts::b::TXMLINDIVIDUSType;
    const auto persons =
        teachers::GuardedRead([&] { return std::optional<Persons>(root.DONNEES().INDIVIDUS()); },
                              std::optional<Persons>());
    for (int i = 0; persons && i < persons->Count(); ++i)
        visit(persons->Item(i), i);
}

} // namespace

std::string OwnEstablishmentCode(const sts::b::TXMLSTS_EDTType& root) {
    return TrimBlanks(Read([&] { return root.PARAMETRES().UAJ().CODE(); }));
}

TeacherReport::TeacherReport(ConversionReport& report) : report_(report) {
    report_.population = Population::Teachers;
}

void TeacherReport::Export(const sts::b::TXMLSTS_EDTType& root, const std::string& exportName,
                           const std::vector<teachers::CiteDuplicate>& duplicates) {
    std::size_t named = 0; // persons with a usage name so far: the export's line number
    auto duplicate = duplicates.begin();
    ForEachPerson(root, [&](const Person& person, int index) {
        ++report_.read;
        const std::string name = Read([&] { return person.NOM_USAGE(); });
        const std::string firstName = Read([&] { return person.PRENOM(); });
        if (name.empty()) {
            report_.entries.push_back({EntryReason::EmptyFirstField,
                                       PersonOrigin(person, index, exportName), name, firstName,
                                       Origin()});
            return;
        }
        const std::size_t k = named++;
        if (duplicate != duplicates.end() && duplicate->k == k) {
            report_.entries.push_back({EntryReason::CiteDuplicate,
                                       PersonOrigin(person, index, exportName), name, firstName,
                                       Origin(PathText(duplicate->firstExport.filename()))});
            ++duplicate;
            return;
        }
        ++report_.written;
        ++disciplines_[Read([&] { return person.DISCIPLINES().DISCIPLINE().CODE(); })];
    });
    if (exportName.empty())
        return;
    const std::string code = OwnEstablishmentCode(root);
    if (code.empty())
        return;
    const auto [first, isNew] = exportOf_.try_emplace(code, exportName);
    if (!isNew)
        report_.warnings.push_back(
            {WarningKind::SameEstablishmentTwice, Origin(exportName), "", "", code, first->second});
}

void TeacherReport::CheckCode(const sts::b::TXMLSTS_EDTType& root, const std::string& exportName,
                              const std::string& nameCode) {
    const std::string code = OwnEstablishmentCode(root);
    if (code.empty() || AsciiUpper(code) == AsciiUpper(nameCode))
        return;
    report_.warnings.push_back(
        {WarningKind::EstablishmentMismatch, Origin(exportName), "", "", code, nameCode});
}

void TeacherReport::WithoutDivision(const sts::b::TXMLSTS_EDTType& root,
                                    const teachers::DivisionIndex& index) {
    ForEachPerson(root, [&](const Person& person, int i) {
        const std::string name = Read([&] { return person.NOM_USAGE(); });
        const auto id =
            teachers::GuardedRead([&] { return std::optional<std::int32_t>(person.ID()); },
                                  std::optional<std::int32_t>());
        if (name.empty() || !id || !index.ListeClasses(std::to_string(*id)).empty())
            return;
        report_.entries.push_back({EntryReason::WithoutDivision, PersonOrigin(person, i, ""), name,
                                   Read([&] { return person.PRENOM(); }), Origin()});
    });
}

void TeacherReport::Finish() {
    report_.groups.assign(disciplines_.begin(), disciplines_.end());
    std::stable_sort(report_.groups.begin(), report_.groups.end(),
                     [](const auto& a, const auto& b) {
                         // Persons without discipline come last.
                         if (a.first.empty() != b.first.empty())
                             return b.first.empty();
                         return CompareLines(Utf8ToCp1252(a.first), Utf8ToCp1252(b.first)) < 0;
                     });
}

} // namespace tressal
