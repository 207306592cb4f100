#include "text/file_read.h"

#include "text/c_file.h"
#include "text/error.h"
#include "text/file_io.h"

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

} // namespace tressal
