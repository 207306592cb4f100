#pragma once

#include <filesystem>

namespace tressal {

// A name a save creates and then renames into place or removes by itself.
// While the name is held, SIGTERM, SIGINT or SIGHUP removes that file before
// the program ends as the signal would have ended it (where the signal still
// had its default action), so that a run stopped in the middle of a save
// leaves nothing behind. The names are kept in a fixed table that the signal
// handler reads without allocating; a name that does not fit is simply not
// removed on a signal (the next save into its folder removes it).
class TemporaryName {
public:
    TemporaryName() = default;
    explicit TemporaryName(const std::filesystem::path& path);
    ~TemporaryName() { Forget(); }
    TemporaryName(TemporaryName&& other) noexcept;
    TemporaryName& operator=(TemporaryName&& other) noexcept;
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;

    const std::filesystem::path& path() const { return path_; }
    bool empty() const { return path_.empty(); }

    // The name is no longer the save's to remove: renamed into place, removed,
    // or never created.
    void Forget();

private:
    std::filesystem::path path_;
    int slot_ = -1; // in the signal handler's table; -1: not there
};

// A fresh name beside the file, recognisable as one of the program's
// temporary files and that no one can guess: "<name>.tressal-tmp-" followed
// by 12 random letters and digits.
std::filesystem::path TemporaryBeside(const std::filesystem::path& file);

// True for a name of the program's temporary files, this form or the former
// "<name>.tressal-tmp-<process>-<count>".
bool IsTemporaryName(const std::filesystem::path& file);

// Removes from the folder the program's temporary files that a run stopped in
// the middle of a save left there: all of them when `anyAge` (the caller holds
// the folder's lock, so no save of another run is using them), otherwise
// those written more than an hour ago. Links are left as they are.
void RemoveLeftoverTemporaries(const std::filesystem::path& folder, bool anyAge);

} // namespace tressal
