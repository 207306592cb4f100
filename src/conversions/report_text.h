#pragma once

#include "conversions/conversion_report.h"

#include <string>
#include <vector>

// The report in French sentences, for the windows.
namespace tressal {

// One line under the preview: "312 élèves, 14 classes — 2 doublons retirés,
// 1 avertissement — fichier existant : 5 ajouts, 3 retraits".
std::string SummaryText(const ConversionReport& report);

enum class DetailKind { Count, Entry, Group, Warning, Comparison, Added, Removed };

struct DetailLine {
    DetailKind kind;
    std::string text;
};

// The whole report, one fact a line: counts, the warnings, the entries set
// apart, the groups, then the comparison (the file by its name) with its
// added and removed lines.
std::vector<DetailLine> DetailLines(const ConversionReport& report);

// What is odd and what to do, in French: "la date de naissance « 2011 » n'est
// pas de la forme jj/mm/aaaa : corrigez-la dans SIECLE, puis refaites l'export."
std::string WarningText(const Warning& warning);

// The keyword of a reason or of a warning's kind, stable for scripts:
// "doublon", "sans-nom", "ligne-courte"...
const char* ReasonCode(EntryReason reason);
const char* WarningCode(WarningKind kind);

// "Ligne 7 — DURAND Paul" (the parts that are there).
std::string Subject(const Origin& origin, const std::string& name, const std::string& firstName);

} // namespace tressal
