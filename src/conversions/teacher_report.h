#pragma once

#include "conversions/conversion_report.h"
#include "sts/sts_model_b.h"
#include "teachers/cite_teachers.h"
#include "teachers/vesko_teachers.h"

#include <map>
#include <string>
#include <vector>

namespace tressal {

// Builds the report of a teacher conversion from the STS exports it reads,
// walking their persons as the conversions do.
class TeacherReport {
public:
    explicit TeacherReport(ConversionReport& report);

    // One export: every INDIVIDU read; one without usage name listed (it
    // gives no line); the others written, or listed as met before in a cité
    // scolaire, and counted under their first discipline. exportName prefixes
    // the places in a cité scolaire, where several exports are read.
    void Export(const sts::b::TXMLSTS_EDTType& root, const std::string& exportName,
                const std::vector<teachers::CiteDuplicate>& duplicates = {});
    // A warning when the export's own code (PARAMETRES/UAJ/@CODE) differs
    // from the code its file name gives.
    void CheckCode(const sts::b::TXMLSTS_EDTType& root, const std::string& exportName,
                   const std::string& nameCode);
    // Lists the persons written without a division.
    void WithoutDivision(const sts::b::TXMLSTS_EDTType& root, const teachers::DivisionIndex& index);
    // Puts the disciplines so far, sorted, into the report.
    void Finish();

private:
    ConversionReport& report_;
    std::map<std::string, std::size_t> disciplines_; // UTF-8 code -> persons
    std::map<std::string, std::string> exportOf_;    // establishment code -> export name
};

// PARAMETRES/UAJ/@CODE, trimmed; "" when it cannot be read.
std::string OwnEstablishmentCode(const sts::b::TXMLSTS_EDTType& root);

} // namespace tressal
