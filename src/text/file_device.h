#pragma once

#include <filesystem>
#include <string_view>

namespace tressal {

// What the device returns, beside errno values, for a file another program
// keeps open and will not share (Windows: a spreadsheet open in Excel).
constexpr int kHeldByAnotherProgram = -1;

// The file operations a save is made of. Saves take one as a parameter, so
// that a test can make any write or rename fail.
class FileDevice {
public:
    virtual ~FileDevice() = default;
    // Creates or empties the file, writes the bytes and puts them on disk.
    // Returns 0 or the errno value of the failure.
    virtual int WriteNew(const std::filesystem::path& file, std::string_view bytes);
    // Renames `from` to `to`, replacing `to`. Returns 0 or the errno value.
    virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
    // Gives the file a second name: a hard link, or a copy of its bytes where
    // the file system has no links. Returns 0 or the errno value.
    virtual int AddName(const std::filesystem::path& file, const std::filesystem::path& name);
};

// The system's own files.
FileDevice& SystemFiles();

} // namespace tressal
