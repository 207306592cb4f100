#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

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

} // namespace tressal
