#pragma once

#include "sts/sts_model_a.h"
#include "text/text_helpers.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace tressal::teachers {

// The STS exports of a folder: the files (not folders) whose name matches
// "STS*.xml" or "STS*.zip" in any letter case, sorted alphabetically without
// regard to case.
std::vector<std::filesystem::path> ChercheFic(const std::filesystem::path& folder);

// The teachers of a cité scolaire: one sorted Orlane list, and the lines met
// again (letter case aside), in the same order.
struct CiteLists {
    TextList lines;
    TextList duplicates;
};

// A line of an export met before: the k-th line the export gave (its k-th
// person with a usage name, from 0), and the export where it was met first.
struct CiteDuplicate {
    std::size_t k;
    std::filesystem::path firstExport;
};

// Told about each export once it is merged, before `afterEachExport`.
using CiteExportSeen =
    std::function<void(const std::filesystem::path& path, const sts::a::TXMLSTS_EDTType& root,
                       const std::vector<CiteDuplicate>& duplicates)>;

// Merges the teachers of every export of the folder. After each export
// `afterEachExport`, when given, is told the lists so far. Throws Error when
// the folder holds fewer than two exports.
CiteLists CiteTeachers(const std::filesystem::path& folder,
                       const std::function<void(const CiteLists&)>& afterEachExport = {},
                       const CiteExportSeen& exportSeen = {});

} // namespace tressal::teachers
