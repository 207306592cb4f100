#include "conversions/teacher_conversions.h"

#include "conversions/teacher_report.h"
#include "sts/sts_export.h"
#include "teachers/orlane_teachers.h"
#include "teachers/pmb_teachers.h"
#include "teachers/vesko_teachers.h"
#include "text/error.h"
#include "text/text_helpers.h"

namespace tressal {

namespace {

// code: the code the export's name gives, or for an export without name, a
// function that finds it.
template <typename Code>
Converted ConvertExport(const sts::StsExport& data, Code code, TeacherTarget target) {
    Converted result;
    result.code = code(data);
    TeacherReport told(result.report);
    ReportEncoding(data.encoding, result.report);
    switch (target) {
    case TeacherTarget::Orlane:
        result.lines = teachers::OrlaneTeachers(data, &told);
        break;
    case TeacherTarget::Pmb:
        result.lines = teachers::PmbTeachers(data, &told);
        break;
    case TeacherTarget::Vesko:
        result.lines = teachers::VeskoTeachers(data, teachers::DivisionIndex(data), &told);
        result.header = true;
        break;
    }
    told.CheckCode(data, result.code);
    told.Finish();
    return result;
}

} // namespace

Converted ConvertTeachers(const std::filesystem::path& input, TeacherTarget target) {
    const sts::StsExport data = sts::ReadStsExport(input);
    return ConvertExport(
        data, [](const sts::StsExport& read) { return read.code; }, target);
}

Converted ConvertTeachers(InputBytes& given, TeacherTarget target) {
    const sts::StsExport data = sts::ReadStsExportBytes(std::move(given.bytes), "entrée standard");
    const auto code = [&](const sts::StsExport& read) {
        std::string own = read.ownCode;
        if (own.empty())
            own = given.code;
        if (own.empty())
            throw Error("L'export STS lu sur l'entrée standard ne donne pas le code de son "
                        "établissement (PARAMETRES/UAJ) : donnez ce code avec --code (par exemple "
                        "--code 0123456A).");
        if (!IsEstablishmentCode(own)) // it names a folder
            throw Error("L'export STS donne « " + own +
                        " » pour code de son établissement, qui n'est pas un code "
                        "d'établissement (sept chiffres et une lettre) : vérifiez l'export.");
        return own;
    };
    return ConvertExport(data, code, target);
}

Converted ConvertCite(const std::filesystem::path& folder, const ConvertContext& context) {
    ConversionReport report;
    TeacherReport told(report);
    const auto withReport = [&](teachers::CiteLists lists) {
        Converted result;
        result.lines = std::move(lists.lines);
        result.duplicates = std::move(lists.duplicates);
        result.report = report;
        return result;
    };
    std::function<void(const teachers::CiteLists&)> afterEachExport;
    if (context.progress)
        afterEachExport = [&](const teachers::CiteLists& sofar) {
            told.Finish();
            context.progress(withReport(sofar));
        };
    teachers::CiteLists lists = teachers::CiteTeachers(folder, afterEachExport, &told);
    told.Finish();
    return withReport(std::move(lists));
}

} // namespace tressal
