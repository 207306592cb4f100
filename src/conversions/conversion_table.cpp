#include "conversions/conversion.h"

#include "conversions/conversion_report.h"
#include "conversions/representatives_report.h"
#include "conversions/student_report.h"
#include "conversions/teacher_conversions.h"
#include "conversions/teacher_report.h"
#include "students/bcdi_students.h"
#include "students/orlane_students.h"
#include "students/pmb_students.h"
#include "students/sconet_export.h"
#include "students/student_source.h"
#include "students/vesko_students.h"

namespace tressal {
namespace {

using std::filesystem::path;

// "L'extraction des <what> pour l'établissement <code> est terminée"; some
// targets leave the code out.
std::string DoneMessage(const std::string& what, const std::string& code) {
    return "L'extraction des " + what + " pour l'établissement " +
           (code.empty() ? "" : code + " ") + "est terminée";
}

// Where a conversion of one establishment saves: <target>/<code>/<kind>/<file>.
struct SaveRule {
    const char* target;
    const char* kind;
    const char* fileName; // nullptr: the code + ".txt"
    bool fixedCopy;
    const char* what; // for the completion message
    bool messageNamesCode;
};

std::function<OutputPlan(const Converted&)> PlanOf(const SaveRule& rule, bool header,
                                                   Population population) {
    return [rule, header, population](const Converted& r) {
        return OutputPlan{{rule.target, r.code, rule.kind},
                          rule.fileName ? rule.fileName : r.code + ".txt",
                          rule.fixedCopy,
                          DoneMessage(rule.what, rule.messageNamesCode ? r.code : ""),
                          {},
                          header,
                          population};
    };
}

Conversion Students(std::string cliName, const students::StudentFormat& format,
                    const SaveRule& rule) {
    // The library programs send their reminders to the students' addresses.
    const bool needsAddress =
        std::string_view(rule.target) == "PMB" || std::string_view(rule.target) == "BCDI";
    auto convert = [&format, needsAddress](const path& input, const ConvertContext& context) {
        students::StudentSource source =
            context.given
                ? students::StudentSourceFromBytes(std::move(context.given->bytes),
                                                   context.given->code, context.representatives)
                : students::ReadStudentSource(input, context.representatives);
        Converted result;
        ReportRepresentatives(source, result.report);
        result.code = std::move(source.code);
        result.header = format.header.has_value();
        ConversionReport& report = result.report;
        report.read = source.leavers.size();
        for (auto& left : source.leavers)
            report.entries.push_back({EntryReason::LeftSchool, StudentOrigin(left.place),
                                      std::move(left.name), std::move(left.firstName), Origin()});
        if (auto warning = SchoolYearWarning(source.schoolYear, context.today))
            report.warnings.push_back(std::move(*warning));
        StudentReport told(source.lines, source.numberedLines ? nullptr : &source.elements, report,
                           format.foldsNames);
        for (const auto& student : source.unwritable)
            told.Unwritable(student);
        ReportEncoding(source.encoding, report);
        if (source.resavedBySpreadsheet)
            report.warnings.push_back({WarningKind::ResavedBySpreadsheet, Origin(1), "", ""});
        if (needsAddress)
            told.ListWithoutAddress();
        result.lines = students::ConvertExportFreeing(std::move(source.lines), format,
                                                      source.numberedLines, &told);
        told.Finish();
        return result;
    };
    return {std::move(cliName), InputKind::File, convert,
            PlanOf(rule, format.header.has_value(), Population::Students)};
}

Conversion Teachers(std::string cliName, TeacherTarget target, const SaveRule& rule) {
    auto convert = [target](const path& input, const ConvertContext& context) {
        return context.given ? ConvertTeachers(*context.given, target)
                             : ConvertTeachers(input, target);
    };
    return {std::move(cliName), InputKind::File, convert,
            PlanOf(rule, target == TeacherTarget::Vesko, Population::Teachers)};
}

Conversion CiteScolaire() {
    return {"profs-orlane-cite", InputKind::Folder, &ConvertCite, [](const Converted&) {
                return OutputPlan{{"Orlane", "Profs"},
                                  "profs.txt",
                                  false,
                                  "L'extraction des enseignants pour la cité scolaire est "
                                  "terminée",
                                  "Litiges.txt",
                                  false,
                                  Population::Teachers};
            }};
}

std::vector<Conversion> MakeConversions() {
    return {
        Students("eleves-orlane", students::OrlaneStudents(),
                 {"Orlane", "Eleves", nullptr, false, "élèves", true}),
        Teachers("profs-orlane", TeacherTarget::Orlane,
                 {"Orlane", "Profs", "profs.txt", false, "enseignants", true}),
        CiteScolaire(),
        Students("eleves-vesko", students::VeskoStudents(),
                 {"Vesko", "Eleves", "eleves.txt", true, "élèves Vesko", false}),
        Teachers("profs-vesko", TeacherTarget::Vesko,
                 {"Vesko", "Profs", "profs.txt", true, "enseignants Vesko", false}),
        Students("eleves-pmb", students::PmbStudents(),
                 {"PMB", "Eleves", "elevespmb.txt", false, "élèves PMB", true}),
        Teachers("profs-pmb", TeacherTarget::Pmb,
                 {"PMB", "Profs", "profspmb.txt", false, "enseignants", true}),
        Students("eleves-bcdi", students::BcdiStudents(),
                 {"BCDI", "Eleves", "elevesBCDI.csv", false, "élèves BCDI", true}),
    };
}

} // namespace

const std::vector<Conversion>& Conversions() {
    static const std::vector<Conversion> table = MakeConversions();
    return table;
}

} // namespace tressal
