#include "conversions/file_history.h"

#include "conversions/save_result.h"
#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <optional>
#include <system_error>

namespace tressal {
namespace {

// Numbers tried after a version's name is found taken.
constexpr int kNameAttempts = 16;

namespace fs = std::filesystem;

constexpr std::size_t kStampSize = 19; // 2026-09-12_10-41-05

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where a stamp ranks: its date-time, then the number of the same second.
std::optional<std::pair<std::string, int>> StampOrder(const std::string& stamp) {
    if (stamp.size() < kStampSize)
        return std::nullopt;
    for (std::size_t k = 0; k < kStampSize; ++k) {
        const char expected = k == 4 || k == 7 || k == 13 || k == 16 ? '-' : k == 10 ? '_' : '0';
        if (expected == '0' ? !IsDigit(stamp[k]) : stamp[k] != expected)
            return std::nullopt;
    }
    if (stamp.size() == kStampSize)
        return std::pair(stamp, 1);
    const std::string number = stamp.substr(kStampSize + 1);
    if (stamp[kStampSize] != '_' || number.empty() || number.size() > 4 ||
        !std::all_of(number.begin(), number.end(), IsDigit))
        return std::nullopt;
    return std::pair(stamp.substr(0, kStampSize), std::stoi(number));
}

bool Newer(const std::string& a, const std::string& b) {
    return StampOrder(a) > StampOrder(b);
}

// The history's files by the name of the file they keep, each with its stamps.
std::map<std::string, std::vector<std::string>> KeptFiles(const fs::path& folder) {
    std::map<std::string, std::vector<std::string>> files;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = PathText(it->path().filename());
        const auto dot = name.rfind('.');
        std::error_code ignored;
        if (dot == std::string::npos || dot == 0 || !StampOrder(name.substr(dot + 1)) ||
            !it->is_regular_file(ignored))
            continue;
        files[name.substr(0, dot)].push_back(name.substr(dot + 1));
    }
    for (auto& [name, stamps] : files)
        std::sort(stamps.begin(), stamps.end(), Newer);
    return files;
}

std::string StampOf(const fs::path& file) {
    std::error_code error;
    const auto written = fs::last_write_time(file, error);
    const std::time_t time = std::chrono::system_clock::to_time_t(
        error ? std::chrono::system_clock::now()
              : std::chrono::time_point_cast<std::chrono::system_clock::duration>(
                    std::chrono::file_clock::to_sys(written)));
    const std::tm local = LocalTime(time);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H-%M-%S", &local);
    return text;
}

bool SamePlace(const fs::path& a, const fs::path& b) {
    std::error_code error;
    return fs::equivalent(a, b, error) || a.lexically_normal() == b.lexically_normal();
}

fs::path Named(const fs::path& folder, const fs::path& file, const std::string& stamp) {
    return folder / (PathText(file.filename()) + "." + stamp);
}

Error KeepingError(const fs::path& folder, int errorNumber) {
    return Error("Impossible de garder l'ancien fichier dans l'historique \"" + PathText(folder) +
                 "\". " + SystemReason(errorNumber) +
                 " Rien n'a été remplacé : vérifiez que ce dossier n'est pas en lecture seule et "
                 "que le disque n'est pas plein, puis enregistrez de nouveau.");
}

} // namespace

fs::path HistoryFolder(const OutputPlan& plan, const fs::path& root) {
    return root / "Historique" / ProposedFile(plan, "").parent_path();
}

std::string KeptVersion::DateText() const {
    // 2026-09-12_10-41 → 12/09/2026 10:41
    return stamp.substr(8, 2) + "/" + stamp.substr(5, 2) + "/" + stamp.substr(0, 4) + " " +
           stamp.substr(11, 2) + ":" + stamp.substr(14, 2);
}

std::vector<KeptVersion> KeptVersions(const OutputPlan& plan, const fs::path& root) {
    const fs::path folder = HistoryFolder(plan, root);
    const auto files = KeptFiles(folder);
    std::vector<std::pair<std::string, fs::path>> kinds{{plan.fileName, ProposedFile(plan, root)}};
    if (!plan.duplicatesFile.empty())
        kinds.emplace_back(PathText(fs::path(plan.duplicatesFile).filename()),
                           root / plan.duplicatesFile);
    std::map<std::string, KeptVersion> byStamp;
    for (const auto& [name, target] : kinds) {
        const auto found = files.find(name);
        if (found == files.end())
            continue;
        for (const auto& stamp : found->second) {
            KeptVersion& version = byStamp[stamp];
            version.stamp = stamp;
            version.kept.push_back(folder / (name + "." + stamp));
            version.targets.push_back(target);
        }
    }
    std::vector<KeptVersion> versions;
    for (auto& [stamp, version] : byStamp)
        versions.push_back(std::move(version));
    std::sort(versions.begin(), versions.end(),
              [](const auto& a, const auto& b) { return Newer(a.stamp, b.stamp); });
    return versions;
}

std::string VersionText(const KeptVersion& version, const OutputPlan& plan) {
    std::string text = version.DateText();
    const FileBytes read = ReadFileBytes(version.kept.front(), {});
    if (read.problem != ReadProblem::None)
        return text;
    const TextList lines = SplitLines(read.bytes);
    const std::size_t count = lines.size() - (plan.header && !lines.empty() ? 1 : 0);
    const bool students = plan.population == Population::Students;
    return text + " (" + std::to_string(count) + " " +
           (students ? (count > 1 ? "élèves" : "élève")
                     : (count > 1 ? "enseignants" : "enseignant")) +
           ")";
}

HistoryKeeping::HistoryKeeping(const OutputPlan& plan, const fs::path& root,
                               const std::vector<FileToWrite>& files, FileDevice& device)
    : folder_(HistoryFolder(plan, root)) {
    const fs::path outputs = ProposedFile(plan, root).parent_path();
    const fs::path duplicates =
        plan.duplicatesFile.empty() ? fs::path() : root / plan.duplicatesFile;
    std::vector<fs::path> replaced;
    for (const auto& file : files) {
        std::error_code ignored;
        if ((SamePlace(file.path.parent_path(), outputs) ||
             (!duplicates.empty() && SamePlace(file.path, duplicates))) &&
            fs::is_regular_file(file.path, ignored))
            replaced.push_back(file.path);
    }
    if (replaced.empty())
        return;
    try {
        Keep(replaced, device);
    } catch (...) {
        Rollback();
        throw;
    }
}

void HistoryKeeping::Keep(const std::vector<fs::path>& replaced, FileDevice& device) {
    // The folders that do not exist yet are made, and removed on failure.
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path folder = folder_; !folder.empty() && !fs::exists(folder, error) && !error;
         folder = folder.parent_path())
        missing.push_back(folder);
    fs::create_directories(folder_, error);
    made_.insert(made_.end(), missing.begin(), missing.end());
    if (error)
        throw KeepingError(folder_, error.value());
    // One stamp for the whole save, after any other of the same second (the
    // first of them may have been pruned already).
    const std::string base = StampOf(replaced.front());
    int last = 0;
    for (const auto& [name, stamps] : KeptFiles(folder_))
        for (const auto& stamp : stamps)
            if (const auto order = StampOrder(stamp); order && order->first == base)
                last = std::max(last, order->second);
    int number = last + 1; // 1: the base stamp alone
    std::string stamp = number == 1 ? base : base + "_" + std::to_string(number);
    std::error_code ignored;
    // A name taken by something that is not a kept version (a link planted
    // there) is left alone: the version takes the next number instead.
    for (int attempt = 0;; ++attempt) {
        std::vector<fs::path> madeNow;
        int failure = 0;
        for (const auto& file : replaced) {
            const fs::path kept = Named(folder_, file, stamp);
            if ((failure = device.AddName(file, kept)) != 0)
                break;
            madeNow.push_back(kept);
        }
        made_.insert(made_.begin(), madeNow.rbegin(), madeNow.rend());
        if (failure == 0)
            return;
        if (failure != EEXIST || attempt == kNameAttempts)
            throw KeepingError(folder_, failure);
        for (const auto& kept : madeNow)
            fs::remove(kept, ignored);
        std::erase_if(made_, [&](const fs::path& path) {
            return std::find(madeNow.begin(), madeNow.end(), path) != madeNow.end();
        });
        number = std::max(number, 1) + 1;
        stamp = base + "_" + std::to_string(number);
    }
}

HistoryKeeping::~HistoryKeeping() {
    if (!committed_)
        Rollback();
}

void HistoryKeeping::Rollback() {
    for (const auto& path : made_) {
        std::error_code ignored;
        fs::remove(path, ignored); // a folder only when it is empty
    }
    made_.clear();
}

void HistoryKeeping::Commit() {
    committed_ = true;
    if (made_.empty())
        return;
    for (const auto& [name, stamps] : KeptFiles(folder_))
        for (std::size_t k = kKeptVersions; k < stamps.size(); ++k) {
            std::error_code ignored;
            fs::remove(folder_ / (name + "." + stamps[k]), ignored);
        }
}

} // namespace tressal
