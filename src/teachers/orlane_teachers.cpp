#include "teachers/orlane_teachers.h"

#include "teachers/named_persons.h"
#include "text/cp1252.h"
#include "text/text_helpers.h"

namespace tressal::teachers {

TextList OrlaneTeacherLines(const sts::a::TXMLSTS_EDTType& root) {
    TextList lines;
    ForEachNamedPerson(root, [&](const auto& person, const std::string& name) {
        lines.push_back(
            Utf8ToCp1252(AsOneField(name, ',') + "," + AsOneField(person.PRENOM(), ',')));
    });
    return lines;
}

TextList OrlaneTeachers(const std::filesystem::path& input) {
    sts::a::StsDocument document;
    document.SetFileName(input);
    return OrlaneTeachers(document.Root());
}

TextList OrlaneTeachers(const sts::a::TXMLSTS_EDTType& root) {
    SortedTextList sorted;
    for (const auto& line : OrlaneTeacherLines(root))
        sorted.Add(line);
    return sorted.TakeLines();
}

} // namespace tressal::teachers
