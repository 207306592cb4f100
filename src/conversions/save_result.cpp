#include "conversions/save_result.h"

#include "conversions/file_history.h"
#include "text/error.h"
#include "text/files.h"
#include "text/replace_files.h"

#include <optional>
#include <system_error>

namespace tressal {
namespace {

namespace fs = std::filesystem;

fs::path OutputFolder(const fs::path& root, const OutputPlan& plan) {
    fs::path folder = root;
    for (const auto& segment : plan.folder)
        folder /= fs::path(std::u8string(segment.begin(), segment.end()));
    return folder;
}

// True when both paths name one file, whether it exists yet or not.
bool SameFile(const fs::path& a, const fs::path& b) {
    std::error_code error;
    if (fs::equivalent(a, b, error))
        return true;
    const fs::path first = fs::weakly_canonical(a, error);
    if (error)
        return a == b;
    const fs::path second = fs::weakly_canonical(b, error);
    return error ? a == b : first == second;
}

} // namespace

void ReplaceKeepingHistory(const OutputPlan& plan, const fs::path& root,
                           std::vector<FileToWrite> files, FileDevice& device) {
    std::optional<HistoryKeeping> history; // taken out again on failure
    ReplaceFiles(std::move(files), device, {root},
                 {[&](const std::vector<FileToWrite>& replacing) {
                      history.emplace(plan, root, replacing, device);
                  },
                  [&] { history->Commit(); }});
}

fs::path ProposedFile(const OutputPlan& plan, const fs::path& root) {
    return OutputFolder(root, plan) / plan.fileName;
}

SavedResult SaveResult(const Conversion& conversion, const Converted& result, const fs::path& root,
                       const ChooseFile& choose, FileDevice& device,
                       const ConfirmEmptying& confirmEmptying) {
    SavedResult saved{conversion.plan(result), {}};
    const OutputPlan& plan = saved.plan;
    const fs::path proposed = ProposedFile(plan, root);
    const fs::path folder = proposed.parent_path();
    // Made before the choice, for the dialog to open in it; the folders a
    // cancelled choice leaves empty are removed again.
    std::vector<fs::path> made;
    std::error_code folderError;
    for (fs::path missing = folder; !missing.empty() && !fs::exists(missing, folderError);
         missing = missing.parent_path()) {
        made.push_back(missing);
        if (missing == missing.parent_path())
            break;
    }
    fs::create_directories(folder, folderError);
    if (folderError)
        throw Error("Impossible de créer le dossier \"" + PathText(folder) + "\". " +
                    SystemReason(folderError.value()) +
                    " Choisissez un dossier de sortie où vous pouvez écrire.");
    const auto cancelled = [&] {
        std::error_code ignored; // a folder the user filled meanwhile stays
        for (const fs::path& created : made)
            fs::remove(created, ignored);
        return saved;
    };
    const fs::path chosen = choose ? choose(proposed) : proposed;
    if (chosen.empty())
        return cancelled();

    std::vector<FileToWrite> files;
    if (!plan.fixedCopy || !SameFile(chosen, proposed))
        files.push_back({chosen, {}, LinePieces(result.lines, true)});
    if (plan.fixedCopy)
        files.push_back({proposed, {}, LinePieces(result.lines, false)});
    std::vector<fs::path> listed; // the files that list people
    for (const auto& file : files)
        listed.push_back(file.path);
    if (const auto emptied = EmptiedFile(result, listed)) {
        if (!confirmEmptying)
            throw Error(EmptyingText(result, *emptied));
        if (!confirmEmptying(*emptied))
            return cancelled();
    }
    if (!plan.duplicatesFile.empty())
        files.push_back({root / plan.duplicatesFile, {}, LinePieces(result.duplicates, true)});
    for (const auto& file : files)
        saved.files.push_back(file.path);
    ReplaceKeepingHistory(plan, root, std::move(files), device);
    return saved;
}

} // namespace tressal
