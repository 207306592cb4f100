#include "teachers/cite_teachers.h"

#include "sts/sts_source.h"
#include "teachers/orlane_teachers.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/text_helpers.h"

#include <algorithm>

namespace tressal::teachers {

std::vector<std::filesystem::path> ChercheFic(const std::filesystem::path& folder) {
    std::vector<std::pair<std::string, std::filesystem::path>> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        std::error_code typeError;
        const std::string name = PathText(entry.path().filename());
        if (!entry.is_directory(typeError) && sts::IsStsExportName(name, true))
            found.emplace_back(CollationKey(Utf8ToCp1252(name)), entry.path());
    }
    std::sort(found.begin(), found.end());
    std::vector<std::filesystem::path> paths;
    for (auto& [key, path] : found)
        paths.push_back(std::move(path));
    return paths;
}

CiteLists CiteTeachers(const std::filesystem::path& folder,
                       const std::function<void(const CiteLists&)>& afterEachExport) {
    const auto exports = ChercheFic(folder);
    if (exports.size() < 2)
        throw Error(std::string("Une cité scolaire comporte au moins deux établissements. ") +
                    (exports.empty()
                         ? "Il n'y a pas de fichiers STS dans le répertoire choisi"
                         : "Il n'y a qu'un seul fichiers STS dans le répertoire choisi"));
    SortedTextList lines;
    SortedTextList duplicates;
    for (const auto& path : exports) {
        sts::a::StsDocument document;
        document.SetFileName(path);
        for (const auto& line : OrlaneTeacherLines(document.Root())) {
            if (lines.Contains(line))
                duplicates.Add(line);
            else
                lines.Add(line);
        }
        if (afterEachExport)
            afterEachExport({lines.Lines(), duplicates.Lines()});
    }
    return {lines.Lines(), duplicates.Lines()};
}

} // namespace tressal::teachers
