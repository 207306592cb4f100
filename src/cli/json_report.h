#pragma once

#include "conversions/conversion_report.h"

#include <ostream>
#include <string>

namespace tressal::cli {

// What the command did, told before the report.
struct RunOutcome {
    bool simulation;     // --dry-run: nothing written
    std::string file;    // the file written, or that a save would write (UTF-8)
    std::string message; // the completion message; "" for a simulation
};

// Prints the outcome and the report as one JSON object (UTF-8) on one line,
// for scripts; its members are described in tressal-cli(1). Places are
// objects of facts ({"ligne": 7}, {"ELEVE_ID": "9005"}, {"INDIVIDU": "12",
// "fichier": "sts_emp_0123456A_2026.xml"}), never prose.
void PrintJsonReport(std::ostream& out, const ConversionReport& report, const RunOutcome& outcome);

} // namespace tressal::cli
