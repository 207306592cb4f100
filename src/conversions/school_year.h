#pragma once

#include "conversions/conversion_report.h"

#include <chrono>
#include <optional>
#include <string>

namespace tressal {

// "2026-2027" for "2026"; any other text as it is.
std::string SchoolYearSpan(const std::string& schoolYear);

// The year in which the school year holding that day starts: the year itself
// from September on, the year before until August.
int SchoolYearOf(std::chrono::year_month_day day);

// A warning when a SIECLE export's school year (PARAMETRES/ANNEE_SCOLAIRE,
// the year it starts) is not today's. In July and August the coming year
// counts as well, as SIECLE is switched to it before the summer. Nothing when
// the export gives no year or today is not given.
std::optional<Warning> SchoolYearWarning(const std::string& schoolYear,
                                         std::chrono::year_month_day today);

} // namespace tressal
