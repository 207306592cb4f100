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

} // namespace tressal
