#include "text/file_read.h"

#include "text/c_file.h"
#include "text/error.h"
#include "text/file_io.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

namespace tressal {
namespace {

FileBytes Failure(ReadProblem problem, int errorNumber) {
    return {std::string(), problem, errorNumber};
}

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
    if (!fs::is_regular_file(status) && !rules.specialFiles)
        return Failure(ReadProblem::SpecialFile, 0);
    errno = 0;
    const CFile file = OpenCFile(path, CFileMode::Read);
    if (!file)
        return Failure(errno == ENOENT ? ReadProblem::NotFound : ReadProblem::CannotOpen, errno);
    FileBytes result;
    char buffer[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        if (result.bytes.size() + got > rules.maxBytes)
            return Failure(ReadProblem::TooBig, 0);
        result.bytes.append(buffer, got);
    }
    if (std::ferror(file.get()))
        return Failure(ReadProblem::ReadFailed, EIO);
    return result;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    ReadRules rules;
    rules.specialFiles = true;
    FileBytes read = ReadFileBytes(path, rules);
    if (read.problem != ReadProblem::None)
        throw Error("Impossible d'ouvrir le fichier \"" + PathText(path) + "\". " +
                    SystemReason(read.errorNumber));
    return std::move(read.bytes);
}

} // namespace tressal
