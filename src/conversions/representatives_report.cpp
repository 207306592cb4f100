#include "conversions/representatives_report.h"

#include "conversions/conversion_report.h"

namespace tressal {

void ReportRepresentatives(const students::StudentSource& source, ConversionReport& report) {
    if (!source.representatives)
        return;
    const students::RepresentativesUse& use = *source.representatives;
    report.addressesFromRepresentatives += use.addresses;
    report.phonesFromRepresentatives += use.phones;
    const auto warn = [&](WarningKind kind, const std::string& value, const std::string& other) {
        report.warnings.push_back({kind, Origin(use.file), "", "", value, other, 0});
    };
    if (!use.used)
        warn(WarningKind::RepresentativesOtherEstablishment, use.establishment, source.code);
    else if (!use.schoolYear.empty() && !source.schoolYear.empty() &&
             use.schoolYear != source.schoolYear)
        warn(WarningKind::RepresentativesOtherYear, SchoolYearSpan(use.schoolYear),
             SchoolYearSpan(source.schoolYear));
}

} // namespace tressal
