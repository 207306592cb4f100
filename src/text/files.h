#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

// The one way the program reads an input file: whole, as bytes. The reader
// says what went wrong; each caller words it for its users.
namespace tressal {

enum class ReadProblem {
    None,
    NotFound,    // the file, or a folder of its path, is missing
    Folder,      // the path names a folder
    SpecialFile, // a device, a pipe, a socket: they may never end, or block
    CannotOpen,  // the system refused to open it (see errorNumber)
    TooBig,      // larger than the rules allow
    ReadFailed,  // the system failed while reading it
};

// The largest input the program reads: far above any real export, far below
// what would exhaust the memory of a school's computer.
constexpr std::size_t kMaxInputBytes = std::size_t{512} << 20;

struct ReadRules {
    std::size_t maxBytes = kMaxInputBytes;
    // When not 0: only the file's first bytes, up to that many, whatever its size.
    std::size_t startBytes = 0;
};

struct FileBytes {
    std::string bytes;
    ReadProblem problem = ReadProblem::None;
    int errorNumber = 0;     // the system's error number behind the problem, when there is one
    std::uintmax_t size = 0; // TooBig: the file's size, or what was read of it before stopping
};

// Reads the whole file, following links: a regular file of at most
// rules.maxBytes; anything else is refused before it is opened. Never throws
// for a file-system failure: the problem comes back with no bytes.
FileBytes ReadFileBytes(const std::filesystem::path& path, const ReadRules& rules);

// The message for a file that the rules refuse whatever the caller: a device,
// a pipe or a socket, or a file over the size limit. Empty for any other problem.
std::string RefusedFileMessage(const std::filesystem::path& path, const FileBytes& read);

// An input file (a regular file of at most kMaxInputBytes) whole, as bytes;
// throws Error with RefusedFileMessage, or "Impossible d'ouvrir le fichier
// ..." with the reason.
std::string ReadWholeFile(const std::filesystem::path& path);

// The same for the file's first bytes only (up to count), to tell what it holds.
std::string ReadFileStart(const std::filesystem::path& path, std::size_t count);

// A path as UTF-8 text for messages, with the system's own separator
// throughout (on Windows, a backslash even where the path was given with "/").
std::string PathText(const std::filesystem::path& path);

// The path UTF-8 text names, whatever the system's code page.
std::filesystem::path PathFromText(std::string_view text);

// French wording of a system error number.
std::string SystemReason(int errorNumber);

struct CFileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using CFile = std::unique_ptr<std::FILE, CFileCloser>;

enum class CFileMode { Read, Write };

// Opens the file in binary mode, whatever the characters of its path; null on
// failure, with errno set.
inline CFile OpenCFile(const std::filesystem::path& path, CFileMode mode) {
#ifdef _WIN32
    return CFile(_wfopen(path.c_str(), mode == CFileMode::Read ? L"rb" : L"wb"));
#else
    return CFile(std::fopen(path.c_str(), mode == CFileMode::Read ? "rb" : "wb"));
#endif
}

} // namespace tressal
