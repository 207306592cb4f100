#include "teachers/cite_teachers.h"

#include "sts/sts_source.h"
#include "teachers/orlane_teachers.h"
#include "text/collation.h"
#include "text/cp1252.h"
#include "text/error.h"
#include "text/file_io.h"
#include "text/text_helpers.h"

#include <algorithm>
#include <map>

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
                       const std::function<void(const CiteLists&)>& afterEachExport,
                       CiteObserver* told) {
    const auto exports = ChercheFic(folder);
    if (exports.size() < 2)
        throw Error(std::string("Une cité scolaire comporte au moins deux établissements. ") +
                    (exports.empty()
                         ? "Il n'y a pas de fichiers STS dans le répertoire choisi"
                         : "Il n'y a qu'un seul fichiers STS dans le répertoire choisi"));
    SortedTextList lines;
    SortedTextList duplicates;
    std::map<std::string, const std::filesystem::path*> firstSeen; // by collation key
    for (const auto& path : exports) {
        const sts::StsExport data = sts::ReadStsExport(path, sts::StsNaming::InFolder);
        if (told)
            told->ExportRead(path, data);
        OrlaneTeacherLines(
            data, told, [&](const auto& person, std::size_t index, std::string line) {
                if (lines.Contains(line)) {
                    if (told) {
                        const auto first = firstSeen.find(CollationKey(line));
                        told->Duplicate(person, index,
                                        first != firstSeen.end() ? *first->second : path);
                    }
                    duplicates.Add(std::move(line));
                } else {
                    if (told) {
                        firstSeen.emplace(CollationKey(line), &path);
                        told->Written(person, index);
                    }
                    lines.Add(std::move(line));
                }
            });
        if (afterEachExport)
            afterEachExport({lines.Lines(), duplicates.Lines()});
    }
    return {lines.Lines(), duplicates.Lines()};
}

} // namespace tressal::teachers
