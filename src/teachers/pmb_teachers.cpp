#include "teachers/pmb_teachers.h"

#include "text/cp1252.h"
#include "text/text_helpers.h"

#include <string>

namespace tressal::teachers {
namespace {

// From CIVILITE; empty when it is missing, empty or not a whole number.
std::string SexLetter(const sts::StsPerson& person) {
    switch (person.civility.IntegerIfAny().value_or(0)) {
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

TextList PmbTeachers(const sts::StsExport& data, PersonObserver* told) {
    SortedTextList sorted;
    ForEachNamedPerson(data, told, [&](const auto& person, const std::string& name, auto index) {
        const std::string first = AsOneField(person.firstName.Required("PRENOM"), ';');
        // Empty when the date is missing or unreadable.
        const std::string year =
            AsOneField(FieldAt(person.birthDate.IfAny().value_or(""), 1, '-'), ';');
        sorted.Add(Utf8ToCp1252(AsOneField(name, ';') + ";" + first + ";;;;;;" + year + ";" +
                                SexLetter(person)));
        if (told)
            told->Written(person, index);
    });
    return sorted.TakeLines();
}

} // namespace tressal::teachers
