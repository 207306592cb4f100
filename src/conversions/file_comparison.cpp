#include "conversions/file_comparison.h"

#include "conversions/save_result.h"
#include "text/files.h"

#include <exception>
#include <string_view>
#include <system_error>
#include <unordered_map>

namespace tressal {

Comparison CompareWithExisting(const TextList& lines, const TextList& existing, bool header,
                               const std::filesystem::path& file) {
    const std::size_t first = header && !lines.empty() ? 1 : 0;
    const std::size_t firstExisting =
        first == 1 && !existing.empty() && existing.front() == lines.front() ? 1 : 0;
    std::unordered_map<std::string_view, std::size_t> left; // existing lines not matched yet
    for (std::size_t k = firstExisting; k < existing.size(); ++k)
        ++left[existing[k]];
    Comparison comparison{file, 0, {}, {}};
    for (std::size_t k = first; k < lines.size(); ++k) {
        const auto found = left.find(lines[k]);
        if (found != left.end() && found->second > 0) {
            --found->second;
            ++comparison.unchanged;
        } else {
            comparison.added.push_back(lines[k]);
        }
    }
    for (std::size_t k = firstExisting; k < existing.size(); ++k) {
        auto& count = left[existing[k]];
        if (count > 0) {
            comparison.removed.push_back(existing[k]);
            --count;
        }
    }
    return comparison;
}

Comparison CompareWithFile(const TextList& lines, bool header, const std::filesystem::path& file) {
    return CompareWithExisting(lines, SplitLines(ReadWholeFile(file)), header, file);
}

void CompareWithProposedFile(const Conversion& conversion, Converted& result,
                             const std::filesystem::path& root) {
    const std::filesystem::path file = ProposedFile(conversion.plan(result), root);
    std::error_code error;
    if (!std::filesystem::exists(file, error))
        return;
    try {
        result.report.comparison = CompareWithFile(result.lines, result.header, file);
    } catch (const std::exception& failure) {
        Warning warning{WarningKind::ExistingFileUnreadable, Origin::File(PathText(file)), "", ""};
        warning.value = failure.what();
        result.report.warnings.push_back(std::move(warning));
    }
}

namespace {

bool ListsNoOne(const Converted& result) {
    return result.lines.size() <= (result.header ? 1u : 0u);
}

bool ListsSomeone(const Converted& result, const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error))
        return false;
    try {
        return !CompareWithFile(result.lines, result.header, file).removed.empty();
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace

std::optional<std::filesystem::path> EmptiedFile(const Converted& result,
                                                 const std::vector<std::filesystem::path>& files) {
    if (!ListsNoOne(result))
        return std::nullopt;
    for (const auto& file : files)
        if (ListsSomeone(result, file))
            return file;
    return std::nullopt;
}

std::string EmptyingText(const Converted& result, const std::filesystem::path& file) {
    const bool students = result.report.population == Population::Students;
    return std::string("L'export choisi ne donne ") +
           (students ? "aucun élève" : "aucun enseignant") + " : l'enregistrer remplacerait « " +
           PathText(file) +
           " », qui en contient, par un fichier vide. Vérifiez que vous avez choisi l'export "
           "complet.";
}

} // namespace tressal
