#include "conversions/conversion.h"

#include "students/orlane_students.h"
#include "students/sconet_export.h"

namespace tressal {
namespace {

using std::filesystem::path;

Converted ConvertStudents(const path& input, const students::StudentFormat& format) {
    Converted result;
    result.code = students::EstablishmentCodeOf(input);
    result.lines = students::ConvertExport(students::LoadExport(input), format);
    return result;
}

Conversion StudentConversion(std::string cliName, MenuEntry menu,
                             const students::StudentFormat& format,
                             std::function<OutputPlan(const Converted&)> plan) {
    return Conversion{std::move(cliName), InputKind::File, std::move(menu),
                      [&format](const path& input, const ConvertContext&) {
                          return ConvertStudents(input, format);
                      },
                      std::move(plan)};
}

std::vector<Conversion> MakeConversions() {
    std::vector<Conversion> table;
    table.push_back(StudentConversion(
        "eleves-orlane", {"BOrlane", "Beleves", "Elèves", 4}, students::OrlaneStudents(),
        [](const Converted& r) {
            return OutputPlan{{"Orlane", r.code, "Eleves"},
                              r.code + ".txt",
                              false,
                              "L'extraction des élèves pour l'établissement " + r.code +
                                  " est terminée"};
        }));
    return table;
}

} // namespace

const std::vector<Conversion>& Conversions() {
    static const std::vector<Conversion> table = MakeConversions();
    return table;
}

} // namespace tressal
