#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace tressal {

// What the device returns, beside errno values, for a file another program
// keeps open and will not share (Windows: a spreadsheet open in Excel).
constexpr int kHeldByAnotherProgram = -1;

// A file's bytes told piece after piece to `put`, in order: a long list of
// lines is written without ever being joined into one text.
using PutPiece = std::function<void(std::string_view piece)>;
using BytePieces = std::function<void(const PutPiece& put)>;

// The file operations a save is made of. Saves take one as a parameter, so
// that a test can make any write or rename fail.
class FileDevice {
public:
    virtual ~FileDevice() = default;
    // Creates the file, writes the bytes and puts them on disk. The name must
    // be free: a file or a link already there is left alone and gives EEXIST.
    // Returns 0 or the errno value of the failure.
    virtual int WriteNew(const std::filesystem::path& file, std::string_view bytes);
    // WriteNew for bytes given in pieces. Here the pieces are joined and
    // handed to WriteNew, so that a device changing only WriteNew sees every
    // write; the system's files (SystemFiles) write the pieces as they come.
    virtual int WriteNewInPieces(const std::filesystem::path& file, const BytePieces& pieces);
    // Renames `from` to `to`, replacing `to`. Returns 0 or the errno value.
    virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to);
    // Gives the file a second name: a hard link, or a copy of its bytes where
    // the file system has no links. A name already taken gives EEXIST.
    // Returns 0 or the errno value.
    virtual int AddName(const std::filesystem::path& file, const std::filesystem::path& name);
};

// The system's own files.
FileDevice& SystemFiles();

} // namespace tressal
