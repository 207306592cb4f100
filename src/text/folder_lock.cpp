#include "text/folder_lock.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tressal {

#ifdef _WIN32

// The lock file is opened without delete sharing: no one can remove it while
// a save holds it or waits for it, so every waiter locks the file that bears
// the name. The last one to let go removes it.
FolderLock::FolderLock(const std::filesystem::path& folder) : file_(folder / ".tressal-save.lock") {
    const HANDLE handle =
        CreateFileW(file_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return;
    OVERLAPPED whole{};
    if (!LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
        CloseHandle(handle);
        return;
    }
    handle_ = handle;
}

FolderLock::~FolderLock() {
    if (handle_ == nullptr)
        return;
    OVERLAPPED whole{};
    UnlockFileEx(handle_, 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(handle_);
    // Fails while another save still has the file open: that one removes it.
    DeleteFileW(file_.c_str());
}

#else

namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

FolderLock::FolderLock(const std::filesystem::path& folder) : file_(folder / ".tressal-save.lock") {
    for (;;) {
        const int descriptor = open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (descriptor < 0)
            return;
        int locked;
        while ((locked = flock(descriptor, LOCK_EX)) != 0 && errno == EINTR) {
        }
        struct stat held {};
        if (locked != 0 || fstat(descriptor, &held) != 0) {
            close(descriptor);
            return;
        }
        // The holder before us removes the file as it lets go: a lock on a
        // file that no longer bears the name serialises nothing, so we start
        // again on the file that does.
        struct stat named {};
        const bool stillNamed = stat(file_.c_str(), &named) == 0;
        if (stillNamed && SameFile(held, named)) {
            descriptor_ = descriptor;
            return;
        }
        const int statError = errno;
        close(descriptor);
        if (!stillNamed && statError != ENOENT)
            return;
    }
}

FolderLock::~FolderLock() {
    if (descriptor_ < 0)
        return;
    unlink(file_.c_str());
    close(descriptor_);
}

#endif

} // namespace tressal
