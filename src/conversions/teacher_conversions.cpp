#include "conversions/teacher_conversions.h"

#include "conversions/teacher_report.h"
#include "sts/sts_source.h"
#include "teachers/orlane_teachers.h"
#include "teachers/pmb_teachers.h"
#include "teachers/sts_file_name.h"
#include "text/file_io.h"

namespace tressal {

Converted ConvertTeachers(const std::filesystem::path& input, TeacherTarget target) {
    Converted result;
    sts::CheckStsContent(input);
    const std::filesystem::path name = sts::StsExportName(input);
    result.code = teachers::StsEstablishmentCode(name);
    sts::b::StsDocument document;
    document.SetFileName(input);
    const auto root = document.Root();
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
    told.CheckCode(root, PathText(name.filename()), result.code);
    told.Finish();
    return result;
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
