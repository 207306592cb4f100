#include "text/file_io.h"

#include "text/error.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#define TRESSAL_PID _getpid()
#else
#include <unistd.h>
#define TRESSAL_PID getpid()
#endif

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

Error CreateError(const std::filesystem::path& path, int errorNumber) {
    return Error("Impossible de créer le fichier \"" + PathText(path) + "\". " +
                 SystemReason(errorNumber));
}

std::filesystem::path TemporaryBeside(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    auto name = path.filename();
    name += ".tmp-" + std::to_string(TRESSAL_PID) + "-" + std::to_string(counter++);
    return path.parent_path() / name;
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

void WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const auto temporary = TemporaryBeside(path);
    errno = 0;
    FileHandle file(OpenFile(temporary, true));
    if (!file)
        throw CreateError(path, errno);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
#ifndef _WIN32
    // On disk before it replaces the previous file.
    written = written && std::fflush(file.get()) == 0 && fsync(fileno(file.get())) == 0;
#endif
    const int writeError = errno;
    const bool closed = std::fclose(file.release()) == 0;
    std::error_code ec;
    // A replaced file keeps its permissions.
    if (const auto status = std::filesystem::status(path, ec);
        ec == std::error_code() && std::filesystem::is_regular_file(status))
        std::filesystem::permissions(temporary, status.permissions(), ec);
    ec.clear();
    if (!written || !closed) {
        std::filesystem::remove(temporary, ec);
        throw CreateError(path, writeError ? writeError : EIO);
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw CreateError(path, ec.value());
    }
}

} // namespace tressal
