#pragma once

#include "conversions/conversion_report.h"
#include "sts/sts_export.h"
#include "teachers/cite_teachers.h"

#include <map>
#include <string>
#include <vector>

namespace tressal {

// Builds the report of a teacher conversion as the conversion walks the
// persons of its exports: every INDIVIDU read; one without usage name listed
// (it gives no line); the others written, or listed as met before in a cité
// scolaire, and counted under their first discipline.
class TeacherReport : public teachers::CiteObserver {
public:
    explicit TeacherReport(ConversionReport& report);

    void Nameless(const sts::StsPerson& person, std::size_t index) override;
    void Written(const sts::StsPerson& person, std::size_t index) override;
    void Duplicate(const sts::StsPerson& person, std::size_t index,
                   const std::filesystem::path& firstExport) override;
    // Listed once the export's other entries are.
    void WithoutDivision(const sts::StsPerson& person, std::size_t index) override;
    // A cité scolaire: the export's name prefixes the places of its persons;
    // a warning when two exports give the same establishment code, or when
    // its bytes do not follow its declared encoding.
    void ExportRead(const std::filesystem::path& path, const sts::StsExport& data) override;

    // A warning when the export's own code (PARAMETRES/UAJ/@CODE) differs
    // from the code its file name gives.
    void CheckCode(const sts::StsExport& data, const std::string& nameCode);
    // Puts what is pending and the disciplines so far, sorted, into the report.
    void Finish();

private:
    Origin PersonOrigin(const sts::StsPerson& person, std::size_t index) const;
    void Listed(EntryReason reason, const sts::StsPerson& person, std::size_t index,
                Origin other = Origin());

    ConversionReport& report_;
    std::string exportName_;  // in a cité scolaire, the export being read
    std::string pendingCode_; // its own code, checked once its persons are told
    std::vector<ListedEntry> withoutDivision_;
    std::map<std::string, std::size_t> disciplines_; // UTF-8 code -> persons
    std::map<std::string, std::string> exportOf_;    // establishment code -> export name
};

// The warnings of an XML export whose bytes do not follow its declared
// encoding: read as UTF-8, or mixed from a line on. Student exports too;
// exportName: the export of a cité scolaire's folder, or "".
void ReportEncoding(const xml::EncodingNote& note, ConversionReport& report,
                    const std::string& exportName = "");

} // namespace tressal
