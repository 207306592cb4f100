#pragma once

#include "conversions/conversion.h"
#include "text/file_device.h"
#include "text/replace_files.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

// Every file that a save replaces is kept first in a history folder beside
// the outputs, <root>/Historique/<the plan's folder>/<file name>.<date-time>,
// the date and time being those of the replaced file; the files of one save
// (the cité's profs.txt and Litiges.txt) share one date-time. The ten most
// recent versions of each file are kept.
namespace tressal {

inline constexpr std::size_t kKeptVersions = 10;

// <root>/Historique/<the plan's folder>.
std::filesystem::path HistoryFolder(const OutputPlan& plan, const std::filesystem::path& root);

// One version of the plan's files, as one save replaced them.
struct KeptVersion {
    std::string stamp;                          // "2026-09-12_10-41-05", "…_2" for a second one
    std::vector<std::filesystem::path> kept;    // in the history, the plan's file first
    std::vector<std::filesystem::path> targets; // where each goes back
    // "12/09/2026 10:41".
    std::string DateText() const;
};

// The versions kept of the plan's file and duplicates file, newest first.
std::vector<KeptVersion> KeptVersions(const OutputPlan& plan, const std::filesystem::path& root);

// "12/09/2026 10:41 (18 élèves)": the version's date and the lines of its
// first file, a header line aside ("" for the count when it cannot be read).
std::string VersionText(const KeptVersion& version, const OutputPlan& plan);

// Keeps, while it lives, the files that a save is about to replace in the
// history, as one version (those in the plan's folder, and its duplicates
// file). Throws Error naming the history folder when they cannot be kept.
// Unless Commit is called, the destructor takes them out again, with the
// folders it made: a failed save leaves the history as it was.
class HistoryKeeping {
public:
    HistoryKeeping(const OutputPlan& plan, const std::filesystem::path& root,
                   const std::vector<FileToWrite>& files, FileDevice& device);
    ~HistoryKeeping();
    HistoryKeeping(const HistoryKeeping&) = delete;
    HistoryKeeping& operator=(const HistoryKeeping&) = delete;

    // The save is done: keeps the copies, and removes the versions of each
    // file beyond the ten most recent.
    void Commit();

private:
    void Keep(const std::vector<std::filesystem::path>& replaced, FileDevice& device);
    void Rollback();

    std::filesystem::path folder_;
    std::vector<std::filesystem::path> made_; // copies, then folders created
    bool committed_ = false;
};

} // namespace tressal
