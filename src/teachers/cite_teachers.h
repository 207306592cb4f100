#pragma once

#include "sts/sts_export.h"
#include "teachers/named_persons.h"
#include "text/text_list.h"

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

// Told about each export of the folder, and about its persons.
class CiteObserver : public PersonObserver {
public:
    // The export is read; its persons come next.
    virtual void ExportRead(const std::filesystem::path& path, const sts::StsExport& data) = 0;
};

// Merges the teachers of every export of the folder. After each export
// `afterEachExport`, when given, is told the lists so far. Throws Error when
// the folder holds fewer than two exports.
CiteLists CiteTeachers(const std::filesystem::path& folder,
                       const std::function<void(const CiteLists&)>& afterEachExport = {},
                       CiteObserver* told = nullptr);

} // namespace tressal::teachers
