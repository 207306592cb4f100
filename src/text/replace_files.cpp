#include "text/replace_files.h"

#include "text/error.h"
#include "text/files.h"
#include "text/temporary_files.h"

#include <cerrno>
#include <map>
#include <memory>
#include <system_error>
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
namespace {

namespace fs = std::filesystem;

// Fresh names tried when the one drawn is taken: only a file planted there
// on purpose takes one, and 12 random characters leave no room for many.
constexpr int kNameAttempts = 16;

Error CreateError(const fs::path& path, int errorNumber) {
    if (errorNumber == kHeldByAnotherProgram)
        return Error("Le fichier \"" + PathText(path) +
                     "\" est ouvert dans un autre programme : fermez-le, puis enregistrez de "
                     "nouveau.");
    return Error("Impossible de créer le fichier \"" + PathText(path) + "\". " +
                 SystemReason(errorNumber));
}

void RemoveQuietly(TemporaryName& name) {
    std::error_code ignored;
    if (!name.empty())
        fs::remove(name.path(), ignored);
    name.Forget();
}

// A replaced file keeps its permissions.
void KeepPermissions(const fs::path& target, const fs::path& temporary) {
    std::error_code error;
    if (const auto status = fs::status(target, error); !error && fs::is_regular_file(status))
        fs::permissions(temporary, status.permissions(), error);
}

// Creates a file under a fresh temporary name beside `beside`; a name someone
// else holds (a file, a link) is left alone and another one drawn. Returns 0
// or the errno value; `name` holds what may have to be removed.
template <typename Create>
int CreateBeside(const fs::path& beside, TemporaryName& name, Create create) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = TemporaryName(TemporaryBeside(beside));
        const int error = create(name.path());
        if (error != EEXIST)
            return error;
        name.Forget();
    }
    return EEXIST;
}

// One file on its way into place.
struct Step {
    fs::path target;
    TemporaryName temporary; // empty once renamed into place
    TemporaryName previous;  // second name of the file it replaces; empty: none kept
};

class Replacement {
public:
    explicit Replacement(FileDevice& device) : device_(device) {}
    ~Replacement() {
        for (auto& step : steps_) {
            RemoveQuietly(step.temporary);
            RemoveQuietly(step.previous);
        }
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    void Write(const FileToWrite& file) {
        Step& step = steps_.emplace_back(Step{file.path, {}, {}});
        if (const int error = CreateBeside(file.path, step.temporary, [&](const fs::path& name) {
                return file.pieces ? device_.WriteNewInPieces(name, file.pieces)
                                   : device_.WriteNew(name, file.bytes);
            }))
            throw CreateError(file.path, error);
        KeepPermissions(file.path, step.temporary.path());
    }

    // Every file but the last may have to come back after a later rename
    // fails, so each one there gets a second name first.
    void KeepPreviousFiles() {
        for (std::size_t i = 0; i + 1 < steps_.size(); ++i) {
            Step& step = steps_[i];
            std::error_code ignored;
            if (!fs::is_regular_file(step.target, ignored))
                continue;
            if (const int error =
                    CreateBeside(step.target, step.previous, [&](const fs::path& name) {
                        return device_.AddName(step.target, name);
                    }))
                throw CreateError(step.target, error);
        }
    }

    void RenameIntoPlace() {
        for (std::size_t i = 0; i < steps_.size(); ++i) {
            if (const int error = device_.Rename(steps_[i].temporary.path(), steps_[i].target)) {
                for (std::size_t j = i; j-- > 0;)
                    BringBack(steps_[j]);
                throw CreateError(steps_[i].target, error);
            }
            steps_[i].temporary.Forget();
        }
    }

private:
    void BringBack(Step& step) {
        if (step.previous.empty()) {
            std::error_code ignored;
            fs::remove(step.target, ignored); // there was none
        } else {
            device_.Rename(step.previous.path(), step.target);
        }
        // Back in place, or, when even that rename failed, the only copy left.
        step.previous.Forget();
    }

    FileDevice& device_;
    std::vector<Step> steps_;
};

// The locks of the folders a save writes into, taken in the order of their
// real paths, the same in every run, so that two saves never wait for each
// other in a circle; a folder reached by two spellings is locked once.
class FolderLocks {
public:
    explicit FolderLocks(const std::vector<fs::path>& folders) {
        for (const auto& folder : folders)
            locks_.try_emplace(RealPath(folder));
        for (auto& [path, lock] : locks_)
            lock = std::make_unique<FolderLock>(path);
    }

    bool Holds(const fs::path& folder) const {
        const auto found = locks_.find(RealPath(folder));
        return found != locks_.end() && found->second->held();
    }

private:
    static fs::path RealPath(const fs::path& folder) {
        std::error_code error;
        const fs::path real = fs::weakly_canonical(folder, error);
        return error ? folder : real;
    }

    std::map<fs::path, std::unique_ptr<FolderLock>> locks_;
};

fs::path FolderOf(const fs::path& file) {
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

} // namespace

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    ReplaceFiles({{path, std::string(bytes)}});
}

void ReplaceFiles(std::vector<FileToWrite> files, FileDevice& device,
                  const std::vector<fs::path>& alsoLocked, const WorkUnderLock& work) {
    std::vector<fs::path> folders;
    for (const auto& file : files)
        folders.push_back(FolderOf(file.path));
    const std::size_t written = folders.size();
    folders.insert(folders.end(), alsoLocked.begin(), alsoLocked.end());
    const FolderLocks locks(folders);
    for (std::size_t k = 0; k < written; ++k)
        RemoveLeftoverTemporaries(folders[k], locks.Holds(folders[k]));
    if (work.beforeWriting)
        work.beforeWriting(files);
    Replacement replacement(device);
    for (auto& file : files) {
        replacement.Write(file);
        file.bytes = std::string();
    }
    replacement.KeepPreviousFiles();
    replacement.RenameIntoPlace();
    if (work.afterRenaming)
        work.afterRenaming();
}

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
        // A link planted at the name is not followed: no lock then.
        const int descriptor = open(file_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
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
