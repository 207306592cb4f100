#include "teachers/pmb_teachers.h"

#include "sts/sts_model_b.h"
#include "teachers/guarded_read.h"
#include "teachers/named_persons.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"

namespace tressal::teachers {
namespace {

std::string SexLetter(const sts::b::TXMLINDIVIDUType& person) {
    switch (GuardedRead([&] { return person.CIVILITE(); }, 0)) {
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
        const std::string first = person.PRENOM();
        const std::string year =
            FieldAt(GuardedRead([&] { return person.DATE_NAISSANCE(); }, std::string()), 1, '-');
        sorted.Add(Utf8ToCp1252(name + ";" + first + ";;;;;;" + year + ";" + SexLetter(person)));
    });
    return sorted.Lines();
}

} // namespace tressal::teachers
