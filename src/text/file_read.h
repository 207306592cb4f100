#pragma once

#include <cstddef>
#include <filesystem>
#include <limits>
#include <string>

// The one way the program reads an input file: whole, as bytes. The reader
// says what went wrong; each caller words it for its users.
namespace tressal {

enum class ReadProblem {
    None,
    NotFound,    // the file, or a folder of its path, is missing
    Folder,      // the path names a folder
    SpecialFile, // a device, a pipe, a socket: refused unless the rules allow them
    CannotOpen,  // the system refused to open it (see errorNumber)
    TooBig,      // larger than the rules allow
    ReadFailed,  // the system failed while reading it
};

struct ReadRules {
    std::size_t maxBytes = std::numeric_limits<std::size_t>::max();
    // Devices and pipes may never end; only callers that accept that read them.
    bool specialFiles = false;
};

struct FileBytes {
    std::string bytes;
    ReadProblem problem = ReadProblem::None;
    int errorNumber = 0; // the system's error number behind the problem, when there is one
};

// Reads the whole file, following links. Never throws for a file-system
// failure: the problem comes back with no bytes.
FileBytes ReadFileBytes(const std::filesystem::path& path, const ReadRules& rules);

// The whole file as bytes, whatever its kind; throws Error "Impossible
// d'ouvrir le fichier ..." with the reason.
std::string ReadWholeFile(const std::filesystem::path& path);

} // namespace tressal
