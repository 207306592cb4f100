#include "teachers/orlane_teachers.h"

#include "text/cp1252.h"
#include "text/text_helpers.h"

namespace tressal::teachers {

void OrlaneTeacherLines(const sts::StsExport& data, PersonObserver* told,
                        const OrlaneLineSeen& seen) {
    ForEachNamedPerson(data, told, [&](const auto& person, const std::string& name, auto index) {
        seen(person, index,
             Utf8ToCp1252(AsOneField(name, ',') + "," +
                          AsOneField(person.firstName.Required("PRENOM"), ',')));
    });
}

TextList OrlaneTeachers(const sts::StsExport& data, PersonObserver* told) {
    SortedTextList sorted;
    OrlaneTeacherLines(data, told, [&](const auto& person, std::size_t index, std::string line) {
        sorted.Add(std::move(line));
        if (told)
            told->Written(person, index);
    });
    return sorted.TakeLines();
}

} // namespace tressal::teachers
