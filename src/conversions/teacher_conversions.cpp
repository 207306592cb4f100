#include "conversions/teacher_conversions.h"

#include "conversions/teacher_report.h"
#include "sts/sts_source.h"
#include "teachers/orlane_teachers.h"
#include "teachers/pmb_teachers.h"
#include "teachers/sts_file_name.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"

namespace tressal {

namespace {

// code: the code the export's name gives, or for an export without name, a
// function that finds it.
template <typename Code>
Converted ConvertDocument(sts::b::StsDocument& document, const std::string& exportName, Code code,
                          TeacherTarget target) {
    Converted result;
    const auto root = document.Root();
    result.code = code(root);
    TeacherReport told(result.report);
    switch (target) {
    case TeacherTarget::Orlane:
        result.lines = teachers::OrlaneTeachers(sts::a::TXMLSTS_EDTType(root.Raw()));
        told.Export(root, "");
        break;
    case TeacherTarget::Pmb:
        result.lines = teachers::PmbTeachers(root);
        told.Export(root, "");
        break;
    case TeacherTarget::Vesko: {
        const teachers::DivisionIndex index(root);
        result.lines = teachers::VeskoTeachers(root, index);
        result.header = true;
        told.Export(root, "");
        told.WithoutDivision(root, index);
        break;
    }
    }
    told.CheckCode(root, exportName, result.code);
    told.Finish();
    return result;
}

} // namespace

Converted ConvertTeachers(const std::filesystem::path& input, TeacherTarget target) {
    sts::CheckStsContent(input);
    const std::filesystem::path name = sts::StsExportName(input);
    const std::string code = teachers::StsEstablishmentCode(name);
    sts::b::StsDocument document;
    document.SetFileName(input);
    return ConvertDocument(
        document, PathText(name.filename()), [&](const auto&) { return code; }, target);
}

Converted ConvertTeachers(InputBytes& given, TeacherTarget target) {
    sts::CheckStsStart(given.bytes, "entrée standard");
    sts::b::StsDocument document;
    document.Adopt(sts::ParseStsExport(std::move(given.bytes)));
    const auto code = [&](const sts::b::TXMLSTS_EDTType& root) {
        std::string own = OwnEstablishmentCode(root);
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
    return ConvertDocument(document, "", code, target);
}

Converted ConvertCite(const std::filesystem::path& folder, const ConvertContext& context) {
    ConversionReport report;
    TeacherReport told(report);
    const auto exportSeen = [&](const std::filesystem::path& path,
                                const sts::a::TXMLSTS_EDTType& root,
                                const std::vector<teachers::CiteDuplicate>& duplicates) {
        told.Export(sts::b::TXMLSTS_EDTType(root.Raw()), PathText(path.filename()), duplicates);
    };
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
    teachers::CiteLists lists = teachers::CiteTeachers(folder, afterEachExport, exportSeen);
    told.Finish();
    return withReport(std::move(lists));
}

} // namespace tressal
