#include "conversions/empty_replacement.h"

#include "conversions/file_comparison.h"
#include "text/file_io.h"

#include <exception>
#include <system_error>

namespace tressal {
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
