#pragma once

// Reading a conversion report in the tests: its entries and warnings as short
// texts, compared with tables.

#include "conversions/conversion_report.h"
#include "conversions/report_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tressal::test {

// "doublon ligne 3 DUPONT Jean < ligne 2": reason, where, who, and the entry
// kept in its place.
inline std::vector<std::string> Entries(const ConversionReport& report) {
    std::vector<std::string> entries;
    for (const auto& e : report.entries)
        entries.push_back(std::string(ReasonCode(e.reason)) + " " + OriginText(e.origin) + " " +
                          e.name + " " + e.firstName +
                          (e.duplicateOf == Origin() ? "" : " < " + OriginText(e.duplicateOf)));
    return entries;
}

// The report read and wrote those counts, set those entries apart and counted
// those groups.
inline void ExpectListed(const ConversionReport& report, std::size_t read, std::size_t written,
                         const std::vector<std::string>& entries,
                         const std::vector<std::pair<std::string, std::size_t>>& groups) {
    EXPECT_EQ(report.read, read);
    EXPECT_EQ(report.written, written);
    EXPECT_EQ(Entries(report), entries);
    EXPECT_EQ(report.groups, groups);
}

using KindAndPlace = std::pair<WarningKind, std::string>;

inline std::vector<KindAndPlace> Warnings(const ConversionReport& report) {
    std::vector<KindAndPlace> warnings;
    for (const auto& w : report.warnings)
        warnings.emplace_back(w.kind, OriginText(w.origin));
    return warnings;
}

// The report's warnings are those expected, the first one worded with that text.
inline void ExpectWarnings(const ConversionReport& report,
                           const std::vector<KindAndPlace>& expected,
                           const std::string& firstHolds) {
    EXPECT_EQ(Warnings(report), expected);
    if (!report.warnings.empty()) {
        const std::string text = WarningText(report.warnings.front());
        EXPECT_NE(text.find(firstHolds), std::string::npos) << text;
    }
}

} // namespace tressal::test
