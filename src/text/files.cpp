#include "text/files.h"

#include "text/error.h"
#include "text/file_device.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace tressal {
namespace {

FileBytes Failure(ReadProblem problem, int errorNumber) {
    return {std::string(), problem, errorNumber, 0};
}

FileBytes TooBig(std::uintmax_t size) {
    return {std::string(), ReadProblem::TooBig, 0, size};
}

constexpr std::uintmax_t kMegabyte = 1 << 20;

} // namespace

FileBytes ReadFileBytes(const std::filesystem::path& path, const ReadRules& rules) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return Failure(ReadProblem::NotFound, ec ? ec.value() : ENOENT);
    if (ec)
        return Failure(ReadProblem::CannotOpen, ec.value());
    if (fs::is_directory(status))
        return Failure(ReadProblem::Folder, EISDIR);
    if (!fs::is_regular_file(status))
        return Failure(ReadProblem::SpecialFile, 0);
    const std::size_t limit = rules.startBytes ? rules.startBytes : rules.maxBytes;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > rules.maxBytes && rules.startBytes == 0)
        return TooBig(size);
    errno = 0;
    const CFile file = OpenCFile(path, CFileMode::Read);
    if (!file)
        return Failure(errno == ENOENT ? ReadProblem::NotFound : ReadProblem::CannotOpen, errno);
    FileBytes result;
    // Held once at its size: growing by steps would copy it and hold it twice.
    if (!ec)
        result.bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)));
    char buffer[1 << 16];
    std::size_t got = 0;
    // The file may grow while it is read.
    const auto room = [&] {
        // One byte past the limit tells a file that grew over it.
        const std::size_t left = limit - result.bytes.size();
        return left < sizeof buffer ? left + 1 : sizeof buffer;
    };
    while ((got = std::fread(buffer, 1, room(), file.get())) > 0) {
        if (rules.startBytes && result.bytes.size() + got > limit) {
            result.bytes.append(buffer, limit - result.bytes.size());
            return result;
        }
        if (result.bytes.size() + got > rules.maxBytes)
            return TooBig(result.bytes.size() + got);
        result.bytes.append(buffer, got);
    }
    if (std::ferror(file.get()))
        return Failure(ReadProblem::ReadFailed, EIO);
    return result;
}

std::string RefusedFileMessage(const std::filesystem::path& path, const FileBytes& read) {
    const std::string name = "« " + PathText(path) + " »";
    if (read.problem == ReadProblem::SpecialFile)
        return name + " n'est pas un fichier ordinaire (c'est un périphérique, un tube ou une "
                      "socket) : choisissez le fichier de l'export lui-même.";
    if (read.problem == ReadProblem::TooBig)
        return name + " est trop gros (" + std::to_string((read.size + kMegabyte - 1) / kMegabyte) +
               " Mo, au plus " + std::to_string(kMaxInputBytes / kMegabyte) +
               " Mo) : ce n'est pas un export, ou il est abîmé ; choisissez le fichier de "
               "l'export.";
    return {};
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    return ReadFileStart(path, 0);
}

std::string ReadFileStart(const std::filesystem::path& path, std::size_t count) {
    FileBytes read = ReadFileBytes(path, ReadRules{kMaxInputBytes, count});
    if (const std::string refused = RefusedFileMessage(path, read); !refused.empty())
        throw Error(refused);
    if (read.problem != ReadProblem::None)
        throw Error("Impossible d'ouvrir le fichier \"" + PathText(path) + "\". " +
                    SystemReason(read.errorNumber));
    return std::move(read.bytes);
}

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
