#include "conversions/restore_version.h"

#include "conversions/file_comparison.h"
#include "conversions/save_result.h"
#include "text/files.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <system_error>

namespace tressal {

const KeptVersion* FindVersion(const std::vector<KeptVersion>& versions, const std::string& name) {
    if (!name.empty() && name.size() < 4 &&
        std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const std::size_t number = std::stoul(name);
        return number >= 1 && number <= versions.size() ? &versions[number - 1] : nullptr;
    }
    for (const auto& version : versions)
        if (version.stamp == name)
            return &version;
    return nullptr;
}

Comparison CompareVersion(const KeptVersion& version, const OutputPlan& plan) {
    const TextList kept = SplitLines(ReadWholeFile(version.kept.front()));
    const std::filesystem::path& target = version.targets.front();
    std::error_code error;
    if (!std::filesystem::exists(target, error))
        return CompareWithExisting(kept, {}, plan.header, target);
    return CompareWithFile(kept, plan.header, target);
}

void RestoreVersion(const KeptVersion& version, const OutputPlan& plan,
                    const std::filesystem::path& root, FileDevice& device) {
    std::vector<FileToWrite> files;
    for (std::size_t k = 0; k < version.kept.size(); ++k)
        files.push_back({version.targets[k], ReadWholeFile(version.kept[k])});
    std::error_code ignored;
    std::filesystem::create_directories(version.targets.front().parent_path(), ignored);
    ReplaceKeepingHistory(plan, root, std::move(files), device);
}

} // namespace tressal
