#pragma once

#include "conversions/conversion_report.h"
#include "conversions/file_history.h"

#include <filesystem>
#include <string>
#include <vector>

// Putting a kept version of a conversion's files back in place.
namespace tressal {

// The version the user names: its number in the list (1: the most recent) or
// its stamp; nullptr when there is none such.
const KeptVersion* FindVersion(const std::vector<KeptVersion>& versions, const std::string& name);

// The lines of the version's first file set against the file it would
// replace ("added": what putting it back adds). Throws Error when the kept
// file cannot be read.
Comparison CompareVersion(const KeptVersion& version, const OutputPlan& plan);

// Writes the version's files back in place through the one save path, so that
// the current files go into the history in their turn; all of them or none.
void RestoreVersion(const KeptVersion& version, const OutputPlan& plan,
                    const std::filesystem::path& root, FileDevice& device = SystemFiles());

} // namespace tressal
