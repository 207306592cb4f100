#include "text/file_io.h"

#include <cerrno>

namespace tressal {
std::string PathText(const std::filesystem::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string SystemReason(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return "Le fichier ou le dossier est introuvable.";
    case EACCES:
    case EPERM:
        return "Accès refusé.";
    case EISDIR:
        return "Le chemin désigne un dossier.";
    case ENOTDIR:
        return "Un élément du chemin n'est pas un dossier.";
    case ENOSPC:
        return "Espace insuffisant sur le disque.";
    case EROFS:
        return "Le support est en lecture seule.";
    case ENAMETOOLONG:
        return "Le nom du fichier est trop long.";
    case EEXIST:
        return "Le fichier existe déjà.";
    case EIO:
        return "Erreur d'entrée/sortie.";
    default:
        return "Erreur système " + std::to_string(errorNumber) + ".";
    }
}

} // namespace tressal
