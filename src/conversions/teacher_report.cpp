#include "conversions/teacher_report.h"

#include "text/collation.h"
#include "text/cp1252.h"
#include "text/files.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <optional>

namespace tressal {

TeacherReport::TeacherReport(ConversionReport& report) : report_(report) {
    report_.population = Population::Teachers;
}

// "INDIVIDU ID=12", or its place when the ID cannot be read; in a cité
// scolaire, after the export's name.
Origin TeacherReport::PersonOrigin(const sts::StsPerson& person, std::size_t index) const {
    const auto id = person.IdIfAny();
    const std::string element =
        id ? "INDIVIDU ID=" + std::to_string(*id) : "INDIVIDU n°" + std::to_string(index + 1);
    return Origin::Element(exportName_.empty() ? element : exportName_ + ", " + element, "INDIVIDU",
                           id ? std::to_string(*id) : "", id ? 0 : index + 1, exportName_);
}

// Absent and unreadable values read as empty: the report never stops a
// conversion.
void TeacherReport::Listed(EntryReason reason, const sts::StsPerson& person, std::size_t index,
                           Origin other) {
    report_.entries.push_back({reason, PersonOrigin(person, index),
                               person.usageName.IfAny().value_or(""),
                               person.firstName.IfAny().value_or(""), std::move(other)});
}

void TeacherReport::Nameless(const sts::StsPerson& person, std::size_t index) {
    ++report_.read;
    Listed(EntryReason::EmptyFirstField, person, index);
}

void TeacherReport::Written(const sts::StsPerson& person, std::size_t index) {
    ++report_.read;
    ++report_.written;
    if (auto warning =
            UnwritableWarning(PersonOrigin(person, index), person.usageName.IfAny().value_or(""),
                              person.firstName.IfAny().value_or("")))
        report_.warnings.push_back(std::move(*warning));
    ++disciplines_[person.discipline.value_or("")];
}

void TeacherReport::Duplicate(const sts::StsPerson& person, std::size_t index,
                              const std::filesystem::path& firstExport) {
    ++report_.read;
    Listed(EntryReason::CiteDuplicate, person, index,
           Origin::File(PathText(firstExport.filename())));
}

void TeacherReport::WithoutDivision(const sts::StsPerson& person, std::size_t index) {
    Listed(EntryReason::WithoutDivision, person, index);
    withoutDivision_.push_back(std::move(report_.entries.back()));
    report_.entries.pop_back();
}

void TeacherReport::ExportRead(const std::filesystem::path& path, const sts::StsExport& data) {
    Finish();
    exportName_ = PathText(path.filename());
    pendingCode_ = data.ownCode;
    ReportEncoding(data.encoding, report_, exportName_);
}

void TeacherReport::CheckCode(const sts::StsExport& data, const std::string& nameCode) {
    if (data.ownCode.empty() || AsciiUpper(data.ownCode) == AsciiUpper(nameCode))
        return;
    report_.warnings.push_back({WarningKind::EstablishmentMismatch, Origin::File(data.fileName), "",
                                "", data.ownCode, nameCode});
}

void ReportEncoding(const xml::EncodingNote& note, ConversionReport& report,
                    const std::string& exportName) {
    if (note.readAsUtf8)
        report.warnings.push_back(
            {WarningKind::Utf8DespiteDeclaration,
             Origin::Element((exportName.empty() ? "" : exportName + ", ") + "déclaration XML",
                             "?xml", "", 0, exportName),
             "", ""});
    if (note.mixedLine > 0) {
        report.warnings.push_back({WarningKind::MixedEncodings,
                                   Origin(static_cast<std::size_t>(note.mixedLine), exportName), "",
                                   ""});
    }
}

void TeacherReport::Finish() {
    if (!pendingCode_.empty()) {
        const auto [first, isNew] = exportOf_.try_emplace(pendingCode_, exportName_);
        if (!isNew)
            report_.warnings.push_back({WarningKind::SameEstablishmentTwice,
                                        Origin::File(exportName_), "", "", pendingCode_,
                                        first->second});
        pendingCode_.clear();
    }
    for (auto& entry : withoutDivision_)
        report_.entries.push_back(std::move(entry));
    withoutDivision_.clear();
    report_.groups.assign(disciplines_.begin(), disciplines_.end());
    std::stable_sort(report_.groups.begin(), report_.groups.end(),
                     [](const auto& a, const auto& b) {
                         // Persons without discipline come last.
                         if (a.first.empty() != b.first.empty())
                             return b.first.empty();
                         return CompareLines(Utf8ToCp1252(a.first), Utf8ToCp1252(b.first)) < 0;
                     });
}

} // namespace tressal
