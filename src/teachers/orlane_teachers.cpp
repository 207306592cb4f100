#include "teachers/orlane_teachers.h"

#include "text/cp1252.h"

namespace tressal::teachers {

TextList OrlaneTeacherLines(const sts::a::TXMLSTS_EDTType& root) {
    TextList lines;
    const auto individus = root.DONNEES().INDIVIDUS();
    for (int i = 0; i < individus.Count(); ++i) {
        const auto person = individus.Item(i);
        const std::string name = person.NOM_USAGE();
        if (name.empty())
            continue;
        lines.push_back(Utf8ToCp1252(name + "," + person.PRENOM()));
    }
    return lines;
}

TextList OrlaneTeachers(const std::filesystem::path& input) {
    sts::a::StsDocument document;
    document.SetFileName(input);
    SortedTextList sorted;
    for (const auto& line : OrlaneTeacherLines(document.Root()))
        sorted.Add(line);
    return sorted.Lines();
}

} // namespace tressal::teachers
