#include "text/file_io.h"

#include "text/error.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace tressal {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

std::FILE* OpenFile(const std::filesystem::path& path, bool write) {
#ifdef _WIN32
    return _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
    return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}

Error OpenError(const std::filesystem::path& path, int errorNumber) {
    return Error("Impossible d'ouvrir le fichier \"" + PathText(path) + "\". " +
                 SystemReason(errorNumber));
}

} // namespace

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

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw OpenError(path, EISDIR);
    errno = 0;
    FileHandle file(OpenFile(path, false));
    if (!file)
        throw OpenError(path, errno);
    std::string bytes;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        bytes.append(buffer, got);
    if (std::ferror(file.get()))
        throw OpenError(path, EIO);
    return bytes;
}

} // namespace tressal
