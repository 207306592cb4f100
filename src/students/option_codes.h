#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

namespace tressal::students {

// The management codes (AGL1, ESP2...) of the options, which the SIECLE
// student export gives as 6-digit national subject codes. The nomenclature
// export, when there is one, names them all; a built-in table knows the
// languages.
class OptionCodes {
public:
    // The built-in table only.
    OptionCodes() = default;

    // The subjects of a nomenclature export (root BEE_NOMENCLATURES):
    // DONNEES/MATIERES/MATIERE, attribute CODE_MATIERE, child CODE_GESTION.
    // Throws Error when the document is another export, LoadError when it
    // cannot be read as XML.
    static OptionCodes FromNomenclature(std::string_view bytes);

    // The management code of a national code: from the nomenclature, else from
    // the built-in table, else the code itself. Both sides UTF-8, trimmed.
    std::string ManagementCode(const std::string& nationalCode) const;

private:
    std::unordered_map<std::string, std::string> nomenclature_;
};

} // namespace tressal::students
