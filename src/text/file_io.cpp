#include "text/file_io.h"

#include "text/file_device.h"

#include <cerrno>
#include <system_error>

namespace tressal {
std::string PathText(const std::filesystem::path& path) {
#ifdef _WIN32
    const auto text = std::filesystem::path(path).make_preferred().u8string();
#else
    const auto text = path.u8string();
#endif
    return std::string(text.begin(), text.end());
}

std::filesystem::path PathFromText(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// Every system error the user may read is worded here.
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
    case ELOOP:
        return "Le chemin passe par trop de liens symboliques (ils forment sans doute une "
               "boucle) : choisissez le fichier lui-même.";
    case EFBIG:
        return "Le fichier dépasse la taille que le système ou le disque permet : choisissez un "
               "autre disque.";
#ifdef EDQUOT
    case EDQUOT:
        return "Votre quota d'espace disque est atteint : libérez de la place ou choisissez un "
               "autre dossier.";
#endif
    case ENOMEM:
        return "Mémoire insuffisante : fermez d'autres programmes et recommencez.";
    case EMFILE:
    case ENFILE:
        return "Trop de fichiers sont ouverts : fermez d'autres programmes et recommencez.";
    case kHeldByAnotherProgram:
        return "Le fichier est ouvert dans un autre programme : fermez-le et recommencez.";
    case EBUSY:
    case ETXTBSY:
        return "Le fichier est utilisé par un autre programme : fermez-le et recommencez.";
    case ENXIO:
    case ENODEV:
        return "Le périphérique est introuvable : vérifiez qu'il est branché.";
    case ETIMEDOUT:
        return "Le support ne répond pas (partage réseau ?) : vérifiez la connexion et "
               "recommencez.";
    default:
        // The system's own words, for an error no one expects here.
        return "Erreur système " + std::to_string(errorNumber) + " : " +
               std::generic_category().message(errorNumber) + ".";
    }
}

} // namespace tressal
