#pragma once

#include "conversions/conversion_report.h"
#include "students/student_source.h"

// What the student lines took from the representatives' export, told in the
// report: the counts, and a warning when that export is of another
// establishment (left aside) or of another school year.
namespace tressal {

void ReportRepresentatives(const students::StudentSource& source, ConversionReport& report);

} // namespace tressal
