#include "conversions/conversion.h"

#include "students/bcdi_students.h"
#include "students/orlane_students.h"
#include "students/pmb_students.h"
#include "students/sconet_export.h"
#include "students/vesko_students.h"

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
    table.push_back(StudentConversion(
        "eleves-vesko", {"BVesko", "Elves4", "Elèves", 6}, students::VeskoStudents(),
        [](const Converted& r) {
            return OutputPlan{{"Vesko", r.code, "Eleves"},
                              "eleves.txt",
                              true,
                              "L'extraction des élèves Vesko pour l'établissement est terminée"};
        }));
    table.push_back(StudentConversion("eleves-pmb", {"PMB1", "Elves1", "Elèves", 12},
                                      students::PmbStudents(), [](const Converted& r) {
                                          return OutputPlan{
                                              {"PMB", r.code, "Eleves"},
                                              "elevespmb.txt",
                                              false,
                                              "L'extraction des élèves PMB pour l'établissement " +
                                                  r.code + " est terminée"};
                                      }));
    table.push_back(StudentConversion("eleves-bcdi", {"BCDIElv", "ElvesBCDI1", "Elèves BCDI", 13},
                                      students::BcdiStudents(), [](const Converted& r) {
                                          return OutputPlan{
                                              {"BCDI", r.code, "Eleves"},
                                              "elevesBCDI.csv",
                                              false,
                                              "L'extraction des élèves BCDI pour l'établissement " +
                                                  r.code + " est terminée"};
                                      }));
    return table;
}

} // namespace

const std::vector<Conversion>& Conversions() {
    static const std::vector<Conversion> table = MakeConversions();
    return table;
}

} // namespace tressal
