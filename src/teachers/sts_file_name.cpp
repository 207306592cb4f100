#include "teachers/sts_file_name.h"

#include "text/error.h"
#include "text/files.h"
#include "text/text_helpers.h"

#include <algorithm>

namespace tressal::teachers {

std::string StsEstablishmentCode(const std::filesystem::path& input) {
    const std::string code = TrimBlanks(FieldAt(PathText(input.filename()), 3, '_'));
    const bool unsafe = code.empty() || code == "." || code == ".." ||
                        std::any_of(code.begin(), code.end(), [](char c) {
                            return c == '/' || c == '\\' || c == ':' ||
                                   static_cast<unsigned char>(c) < 32 || c == 127;
                        });
    if (unsafe)
        throw Error("Nom de fichier incorrect\nLe nom attendu est celui que STS-Web donne à "
                    "l'export, sts_emp_CODE_ANNEE.xml (par exemple sts_emp_0123456A_2026.xml) : "
                    "le code de l'établissement y suit le deuxième « _ ».");
    return code;
}

} // namespace tressal::teachers
