#include "conversions/teacher_report.h"

#include "text/collation.h"
#include "text/cp1252.h"
#include "text/files.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <optional>

namespace tressal {
namespace {

using Person = sts::b::TXMLINDIVIDUType;

// Absent and unreadable values read as empty: the report never stops a
// conversion.
std::string TextOf(const xml::XmlNode& node, std::string_view name) {
    return node.TextIfAny(name).value_or("");
}

// "INDIVIDU ID=12", or its place when the ID cannot be read; in a cité
// scolaire, after the export's name.
Origin PersonOrigin(const Person& person, int index, const std::string& exportName) {
    const auto id = person.AttributeIntegerIfAny("ID");
    const std::string element =
        id ? "INDIVIDU ID=" + std::to_string(*id) : "INDIVIDU n°" + std::to_string(index + 1);
    return Origin::Element(exportName.empty() ? element : exportName + ", " + element, "INDIVIDU",
                           id ? std::to_string(*id) : "",
                           id ? 0 : static_cast<std::size_t>(index + 1), exportName);
}

template <class Visit> void ForEachPerson(const sts::b::TXMLSTS_EDTType& root, Visit&& visit) {
    int index = 0;
    for (const Person person : root.DONNEES(xml::kIfAny).INDIVIDUS(xml::kIfAny))
        visit(person, index++);
}

} // namespace

std::string OwnEstablishmentCode(const sts::b::TXMLSTS_EDTType& root) {
    return TrimBlanks(root.Find("PARAMETRES").Find("UAJ").AttributeIfAny("CODE").value_or(""));
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
        const std::string name = TextOf(person, "NOM_USAGE");
        const std::string firstName = TextOf(person, "PRENOM");
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
                                       Origin::File(PathText(duplicate->firstExport.filename()))});
            ++duplicate;
            return;
        }
        ++report_.written;
        if (auto warning =
                UnwritableWarning(PersonOrigin(person, index, exportName), name, firstName))
            report_.warnings.push_back(std::move(*warning));
        ++disciplines_[person.DISCIPLINES(xml::kIfAny)
                           .DISCIPLINE(xml::kIfAny)
                           .CODE(xml::kIfAny)
                           .value_or("")];
    });
    if (exportName.empty())
        return;
    const std::string code = OwnEstablishmentCode(root);
    if (code.empty())
        return;
    const auto [first, isNew] = exportOf_.try_emplace(code, exportName);
    if (!isNew)
        report_.warnings.push_back({WarningKind::SameEstablishmentTwice, Origin::File(exportName),
                                    "", "", code, first->second});
}

void TeacherReport::CheckCode(const sts::b::TXMLSTS_EDTType& root, const std::string& exportName,
                              const std::string& nameCode) {
    const std::string code = OwnEstablishmentCode(root);
    if (code.empty() || AsciiUpper(code) == AsciiUpper(nameCode))
        return;
    report_.warnings.push_back(
        {WarningKind::EstablishmentMismatch, Origin::File(exportName), "", "", code, nameCode});
}

void TeacherReport::WithoutDivision(const sts::b::TXMLSTS_EDTType& root,
                                    const teachers::DivisionIndex& index) {
    ForEachPerson(root, [&](const Person& person, int i) {
        const std::string name = TextOf(person, "NOM_USAGE");
        const auto id = person.AttributeIntegerIfAny("ID");
        if (name.empty() || !id || !index.ListeClasses(std::to_string(*id)).empty())
            return;
        report_.entries.push_back({EntryReason::WithoutDivision, PersonOrigin(person, i, ""), name,
                                   TextOf(person, "PRENOM"), Origin()});
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
