#include "teachers/pmb_teachers.h"

#include "sts/sts_model_b.h"
#include "teachers/named_persons.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"

#include <string>

namespace tressal::teachers {
namespace {

// From CIVILITE; empty when it is missing, empty or not a whole number.
std::string SexLetter(const sts::b::TXMLINDIVIDUType& person) {
    switch (person.CIVILITE(xml::kIfAny).value_or(0)) {
    case 1:
        return "M";
    case 2:
    case 3:
        return "F";
    default:
        return "";
    }
}

} // namespace

TextList PmbTeachers(const std::filesystem::path& input) {
    sts::b::StsDocument document;
    document.SetFileName(input);
    return PmbTeachers(document.Root());
}

TextList PmbTeachers(const sts::b::TXMLSTS_EDTType& root) {
    SortedTextList sorted;
    ForEachNamedPerson(root, [&](const auto& person, const std::string& name) {
        const std::string first = AsOneField(person.PRENOM(), ';');
        // Empty when the date is missing or unreadable.
        const std::string year =
            AsOneField(FieldAt(person.DATE_NAISSANCE(xml::kIfAny).value_or(""), 1, '-'), ';');
        sorted.Add(Utf8ToCp1252(AsOneField(name, ';') + ";" + first + ";;;;;;" + year + ";" +
                                SexLetter(person)));
    });
    return sorted.TakeLines();
}

} // namespace tressal::teachers
