#pragma once

#include "conversions/conversion.h"
#include "conversions/file_comparison.h"
#include "text/file_device.h"
#include "text/replace_files.h"

#include <filesystem>
#include <functional>
#include <vector>

namespace tressal {

// Asked for the file to write, given the proposed one; an empty path cancels
// the save.
using ChooseFile = std::function<std::filesystem::path(const std::filesystem::path& proposed)>;

// The file a save proposes: the plan's folder and file name below the root.
std::filesystem::path ProposedFile(const OutputPlan& plan, const std::filesystem::path& root);

struct SavedResult {
    OutputPlan plan;
    std::vector<std::filesystem::path> files; // written, the chosen one first; none: cancelled
};

// Saves what the conversion produced below the output root, as its plan says:
// creates the output folder, lets `choose` pick the file (without it, the
// proposed one), then writes the chosen file, the fixed copy and the
// duplicates file all together or none of them (see ReplaceFiles), holding
// the root's lock so that saves into one root never mix their files. When the
// chosen file is the fixed copy it is written once, in the fixed form.
// Before replacing a file that lists people with a result that lists no one,
// it asks `confirmEmptying` (No: nothing written, no file in the result);
// without it, it refuses with Error saying so.
SavedResult SaveResult(const Conversion& conversion, const Converted& result,
                       const std::filesystem::path& root, const ChooseFile& choose = {},
                       FileDevice& device = SystemFiles(),
                       const ConfirmEmptying& confirmEmptying = {});

// Replaces the files all together or none of them (see ReplaceFiles), holding
// the root's lock, after keeping those it replaces in the plan's history (see
// HistoryKeeping): a failure leaves the files and the history as they were.
void ReplaceKeepingHistory(const OutputPlan& plan, const std::filesystem::path& root,
                           std::vector<FileToWrite> files, FileDevice& device = SystemFiles());

} // namespace tressal
