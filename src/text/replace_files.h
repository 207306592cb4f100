#pragma once

#include "text/file_device.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tressal {

struct FileToWrite {
    std::filesystem::path path;
    std::string bytes;
    // When set, the file's bytes instead of `bytes`, told piece after piece
    // (a list of lines too long to be copied into one text).
    BytePieces pieces = {};
};

// Creates or replaces every file with its bytes, all of them or none. Each
// file is first written under a temporary name beside it; only when all are
// written are they renamed into place, a previous file keeping a second name
// until the last rename is done so that a failed rename can bring it back. A
// failure thus leaves every previous file as it was and no temporary file
// behind; it throws Error "Impossible de créer le fichier ...". A replaced
// file keeps its permissions. Temporary names are random and created only
// where nothing stands yet, so a link planted beside the file is never
// written through; a link at the file itself is replaced, not followed.
// The save holds the lock of every folder it writes into, and of the
// `alsoLocked` ones, so that saves into one folder happen one after the
// other; holding it, it first removes the temporary files that stopped runs
// left in those folders (where the lock cannot be had, only those over an
// hour old).
// `beforeWriting` and `afterRenaming` run while the locks are held: before
// the first file is written, and once every file is in place.
struct WorkUnderLock {
    std::function<void(const std::vector<FileToWrite>&)> beforeWriting;
    std::function<void()> afterRenaming;
};
void ReplaceFiles(std::vector<FileToWrite> files, FileDevice& device = SystemFiles(),
                  const std::vector<std::filesystem::path>& alsoLocked = {},
                  const WorkUnderLock& work = {});

// ReplaceFiles for one file.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

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
