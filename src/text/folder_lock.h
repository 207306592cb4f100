#pragma once

#include <filesystem>

namespace tressal {

// An advisory lock on a file in the folder, held while the object lives:
// saves into the same folder, from other threads or processes, happen one
// after the other. The lock file goes with the lock. Where it cannot be made
// (a read-only folder, a file system without locks) the save goes on
// unserialised: it will report its own failure if it cannot write either.
class FolderLock {
public:
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

#ifdef _WIN32
    bool held() const {
        return handle_ != nullptr;
    }
#else
    bool held() const {
        return descriptor_ >= 0;
    }
#endif

private:
    std::filesystem::path file_;
#ifdef _WIN32
    void* handle_ = nullptr; // the lock file's HANDLE
#else
    int descriptor_ = -1;
#endif
};

} // namespace tressal
