#include "text/replace_files.h"

#include "text/error.h"
#include "text/file_io.h"
#include "text/temporary_files.h"

#include <set>
#include <system_error>

namespace tressal {
namespace {

namespace fs = std::filesystem;

Error CreateError(const fs::path& path, int errorNumber) {
    if (errorNumber == kHeldByAnotherProgram)
        return Error("Le fichier \"" + PathText(path) +
                     "\" est ouvert dans un autre programme : fermez-le, puis enregistrez de "
                     "nouveau.");
    return Error("Impossible de créer le fichier \"" + PathText(path) + "\". " +
                 SystemReason(errorNumber));
}

void RemoveQuietly(const fs::path& path) {
    std::error_code ignored;
    if (!path.empty())
        fs::remove(path, ignored);
}

// A replaced file keeps its permissions.
void KeepPermissions(const fs::path& target, const fs::path& temporary) {
    std::error_code error;
    if (const auto status = fs::status(target, error); !error && fs::is_regular_file(status))
        fs::permissions(temporary, status.permissions(), error);
}

// One file on its way into place.
struct Step {
    fs::path target;
    fs::path temporary; // empty once renamed into place
    fs::path previous;  // second name of the file it replaces; empty: none kept
};

class Replacement {
public:
    explicit Replacement(FileDevice& device) : device_(device) {}
    ~Replacement() {
        for (const auto& step : steps_) {
            RemoveQuietly(step.temporary);
            RemoveQuietly(step.previous);
        }
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    void Write(const FileToWrite& file) {
        steps_.push_back({file.path, TemporaryBeside(file.path), {}});
        if (const int error = device_.WriteNew(steps_.back().temporary, file.bytes))
            throw CreateError(file.path, error);
        KeepPermissions(file.path, steps_.back().temporary);
    }

    // Every file but the last may have to come back after a later rename
    // fails, so each one there gets a second name first.
    void KeepPreviousFiles() {
        for (std::size_t i = 0; i + 1 < steps_.size(); ++i) {
            Step& step = steps_[i];
            std::error_code ignored;
            if (!fs::is_regular_file(step.target, ignored))
                continue;
            step.previous = TemporaryBeside(step.target);
            if (const int error = device_.AddName(step.target, step.previous))
                throw CreateError(step.target, error);
        }
    }

    void RenameIntoPlace() {
        for (std::size_t i = 0; i < steps_.size(); ++i) {
            if (const int error = device_.Rename(steps_[i].temporary, steps_[i].target)) {
                for (std::size_t j = i; j-- > 0;)
                    BringBack(steps_[j]);
                throw CreateError(steps_[i].target, error);
            }
            steps_[i].temporary.clear();
        }
    }

private:
    void BringBack(Step& step) {
        if (step.previous.empty())
            RemoveQuietly(step.target); // there was none
        else
            device_.Rename(step.previous, step.target);
        // Back in place, or, when even that rename failed, the only copy left.
        step.previous.clear();
    }

    FileDevice& device_;
    std::vector<Step> steps_;
};

} // namespace

void WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    ReplaceFiles({{path, std::string(bytes)}});
}

void ReplaceFiles(std::vector<FileToWrite> files, FileDevice& device) {
    std::set<fs::path> folders;
    for (const auto& file : files)
        folders.insert(file.path.parent_path());
    for (const auto& folder : folders)
        RemoveStaleTemporaries(folder.empty() ? fs::path(".") : folder);
    Replacement replacement(device);
    for (auto& file : files) {
        replacement.Write(file);
        file.bytes = std::string();
    }
    replacement.KeepPreviousFiles();
    replacement.RenameIntoPlace();
}

} // namespace tressal
