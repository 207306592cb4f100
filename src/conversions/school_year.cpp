#include "conversions/school_year.h"

#include <algorithm>

namespace tressal {
namespace {

std::string YearSpan(int start) {
    return std::to_string(start) + "-" + std::to_string(start + 1);
}

} // namespace

std::string SchoolYearSpan(const std::string& schoolYear) {
    const bool digits =
        schoolYear.size() == 4 && std::all_of(schoolYear.begin(), schoolYear.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
    return digits ? YearSpan(std::stoi(schoolYear)) : schoolYear;
}

int SchoolYearOf(std::chrono::year_month_day day) {
    const int year = static_cast<int>(day.year());
    return static_cast<unsigned>(day.month()) >= 9 ? year : year - 1;
}

std::optional<Warning> SchoolYearWarning(const std::string& schoolYear,
                                         std::chrono::year_month_day today) {
    if (schoolYear.empty() || !today.ok())
        return std::nullopt;
    const int current = SchoolYearOf(today);
    const bool summer =
        static_cast<unsigned>(today.month()) >= 7 && static_cast<unsigned>(today.month()) <= 8;
    const bool digits =
        schoolYear.size() == 4 && std::all_of(schoolYear.begin(), schoolYear.end(),
                                              [](char c) { return c >= '0' && c <= '9'; });
    const int year = digits ? std::stoi(schoolYear) : 0;
    if (year == current || (summer && year == current + 1))
        return std::nullopt;
    return Warning{WarningKind::OtherSchoolYear,
                   Origin::Element("PARAMETRES/ANNEE_SCOLAIRE", "PARAMETRES/ANNEE_SCOLAIRE", "", 0),
                   "",
                   "",
                   SchoolYearSpan(schoolYear),
                   "",
                   static_cast<std::size_t>(current)};
}

} // namespace tressal
