#pragma once

#include "conversions/conversion.h"

#include <filesystem>
#include <vector>

namespace tressal::teachers {

// The STS exports of a folder: the files (not folders) whose name matches
// "STS*.xml" or "STS*.zip" in any letter case, sorted alphabetically without
// regard to case.
std::vector<std::filesystem::path> ChercheFic(const std::filesystem::path& folder);

// The duplicates file of a cité scolaire, in the output root.
inline constexpr const char* kDuplicatesFile = "Litiges.txt";

// Merges the teachers of every export of the folder into one sorted Orlane
// list; a line already there (letter case aside) goes to the duplicates. After
// each export progress is told the result so far and, when the context asks
// for it, the duplicates so far are written to the duplicates file. Throws
// Error when the folder holds fewer than two exports.
Converted CiteTeachers(const std::filesystem::path& folder, const ConvertContext& context);

} // namespace tressal::teachers
