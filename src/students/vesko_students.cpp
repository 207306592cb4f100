#include "students/vesko_students.h"

#include "text/cp1252.h"
#include "text/error.h"
#include "text/text_helpers.h"
#include "text/utf8.h"

namespace tressal::students {
namespace {

constexpr std::size_t kInternalNumberWidth = 5;

std::string PaddedInternalNumber(const std::string& number) {
    if (number.empty() || number.size() >= kInternalNumberWidth)
        return number;
    return std::string(kInternalNumberWidth - number.size(), '0') + number;
}

// The language named by an option field, or an empty text. Codes are matched
// in any case; a field already holding the language's lower-case name counts.
std::string Language(const std::string& option) {
    const std::string code = AsciiUpper(option);
    if (code == "AGL1" || code == "AGL2" || option == "anglais")
        return "anglais";
    if (code == "ESP1" || code == "ESP2" || option == "espagnol")
        return "espagnol";
    if (code == "ALL1" || code == "ALL2" || option == "allemand")
        return "allemand";
    return {};
}

} // namespace

std::string VeskoStudentLine(const StudentFields& field, std::optional<std::size_t> fileLine) {
    using enum StudentField;
    const std::string date = field[BirthDate];
    if (CountFields(date, '/') < 3)
        throw Error(std::string("Fichier incorrect : le champ date de naissance est ") +
                    (TrimBlanks(date).empty() ? "vide" : "incomplet") + ".\n" +
                    (fileLine ? "Ligne " + std::to_string(*fileLine) : std::string("Élève")) +
                    " : " + EscapeControls(Cp1252ToUtf8(field[LastName] + " " + field[FirstName])));
    const std::string firstNames =
        TrimBlanks(field[FirstName] + " " + field[SecondFirstName] + " " + field[ThirdFirstName]);
    const std::string civility = AsciiUpper(field[Sex]) == "M" ? "M." : "Mlle";
    std::string line = field[NationalId] + ";" + PaddedInternalNumber(field[InternalNumber]) + ";" +
                       FoldName(field[LastName]) + ";" + firstNames + ";" + date + ";" + civility +
                       ";" + KeepAllowedChars(field[Division]) + ";;;";
    bool first = true;
    for (const StudentField option : kOptionFields) {
        const std::string language = Language(field[option]);
        if (language.empty())
            continue;
        if (!first)
            line += ";";
        line += language;
        first = false;
    }
    return line;
}

const StudentFormat& VeskoStudents() {
    static const StudentFormat format{
        "INE;N\xB0 Interne;Nom;Pr\xE9nom;Date de naissance;Sexe;Division;Login;Mdp;Option 1",
        KeepInRun::Last, false, &VeskoStudentLine};
    return format;
}

} // namespace tressal::students
