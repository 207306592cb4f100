#include "text/file_device.h"

#include <cerrno>
#include <string>
#include <system_error>

#ifdef _WIN32
#include <algorithm>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tressal {
namespace {

// The pieces gathered in blocks of this size, so that a file of many short
// lines takes few writes; a longer piece is written as it is.
constexpr std::size_t kBlockSize = 256 * 1024;

// Hands the pieces to `writeAll` in blocks; after a failure the rest is
// skipped. Returns 0 or the failure.
int WriteInBlocks(const BytePieces& pieces,
                  const std::function<int(std::string_view bytes)>& writeAll) {
    int error = 0;
    std::string block;
    const auto flush = [&] {
        if (error == 0 && !block.empty())
            error = writeAll(block);
        block.clear();
    };
    pieces([&](std::string_view piece) {
        if (block.size() + piece.size() > kBlockSize)
            flush();
        if (error != 0)
            return;
        if (piece.size() >= kBlockSize) {
            error = writeAll(piece);
            return;
        }
        if (block.capacity() < kBlockSize)
            block.reserve(kBlockSize);
        block.append(piece);
    });
    flush();
    return error;
}

} // namespace

int FileDevice::WriteNewInPieces(const std::filesystem::path& file, const BytePieces& pieces) {
    std::string bytes;
    pieces([&](std::string_view piece) { bytes.append(piece); });
    return WriteNew(file, bytes);
}

#ifdef _WIN32

namespace {

// The errno value whose wording (SystemReason) fits a Windows error code;
// kHeldByAnotherProgram for a file another program keeps open.
int ErrnoOfWindowsError(unsigned long error) {
    switch (error) {
    case ERROR_SUCCESS:
        return 0;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        return ENOENT;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_USER_MAPPED_FILE:
        return kHeldByAnotherProgram;
    case ERROR_ACCESS_DENIED:
    case ERROR_PRIVILEGE_NOT_HELD:
        return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_BUFFER_OVERFLOW:
        return ENAMETOOLONG;
    case ERROR_DIRECTORY:
        return ENOTDIR;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
        return ENOMEM;
    case ERROR_TOO_MANY_OPEN_FILES:
        return EMFILE;
    case ERROR_NOT_READY:
    case ERROR_DEV_NOT_EXIST:
        return ENODEV;
    case ERROR_SEM_TIMEOUT:
    case ERROR_NETNAME_DELETED:
        return ETIMEDOUT;
    default:
        return EIO;
    }
}

// The errno value of an error reported by std::filesystem, whose codes on
// Windows are the system's own.
int ErrnoOf(const std::error_code& error) {
    if (error.category() == std::system_category())
        return ErrnoOfWindowsError(static_cast<unsigned long>(error.value()));
    return error.value();
}

} // namespace

namespace {

int CreateAndWrite(const std::filesystem::path& file, const BytePieces& pieces) {
    // A fresh file, never one that exists, shared with no one while it is written.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ErrnoOfWindowsError(GetLastError());
    DWORD writeError = 0;
    const int failed = WriteInBlocks(pieces, [&](std::string_view rest) {
        while (!rest.empty()) {
            DWORD done = 0;
            const auto chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1 << 30));
            if (WriteFile(handle, rest.data(), chunk, &done, nullptr) == 0 || done == 0) {
                writeError = GetLastError();
                return writeError != 0 ? ErrnoOfWindowsError(writeError) : EIO;
            }
            rest.remove_prefix(done);
        }
        return 0;
    });
    // On disk before it replaces anything.
    const bool written = failed == 0 && FlushFileBuffers(handle) != 0;
    if (failed == 0 && !written)
        writeError = GetLastError();
    const bool closed = CloseHandle(handle) != 0;
    if (written && closed)
        return 0;
    return writeError != 0 ? ErrnoOfWindowsError(writeError) : EIO;
}

} // namespace

namespace {

// Whether another program has the file open without letting it be deleted or
// replaced, as Excel does with its files. Windows then refuses the replace
// with "access denied", the same as for a file the user may not write.
bool HeldOpenElsewhere(const std::filesystem::path& file) {
    const HANDLE handle =
        CreateFileW(file.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}

} // namespace

int FileDevice::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    const DWORD error = GetLastError();
    if (error == ERROR_ACCESS_DENIED && HeldOpenElsewhere(to))
        return kHeldByAnotherProgram;
    return ErrnoOfWindowsError(error);
}

#else

namespace {

// Never through a link, never over a file already there, whoever made it: the
// name is only ours once this open has created it.
int CreateAndWrite(const std::filesystem::path& file, const BytePieces& pieces) {
    const int descriptor =
        open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return errno;
    int error = WriteInBlocks(pieces, [&](std::string_view bytes) {
        for (std::size_t done = 0; done < bytes.size();) {
            const ssize_t written = write(descriptor, bytes.data() + done, bytes.size() - done);
            if (written >= 0)
                done += static_cast<std::size_t>(written);
            else if (errno != EINTR)
                return errno;
        }
        return 0;
    });
    // On disk before it replaces anything.
    if (error == 0 && fsync(descriptor) != 0)
        error = errno;
    if (close(descriptor) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

} // namespace

int FileDevice::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error.value();
}

#endif

// A second name for the file: a hard link, or a copy where links cannot be
// made; never over a name already taken (EEXIST).
int FileDevice::AddName(const std::filesystem::path& file, const std::filesystem::path& name) {
    std::error_code error;
    std::filesystem::create_hard_link(file, name, error);
#ifdef _WIN32
    if (!error || ErrnoOf(error) == EEXIST)
        return error ? EEXIST : 0;
    std::filesystem::copy_file(file, name, error);
    return error ? ErrnoOf(error) : 0;
#else
    if (!error || error.value() == EEXIST)
        return error.value();
    std::filesystem::copy_file(file, name, error);
    return error.value();
#endif
}

int FileDevice::WriteNew(const std::filesystem::path& file, std::string_view bytes) {
    return CreateAndWrite(file, [bytes](const PutPiece& put) { put(bytes); });
}

namespace {

// The system's files, writing pieces as they come.
class SystemFileDevice final : public FileDevice {
public:
    int WriteNewInPieces(const std::filesystem::path& file, const BytePieces& pieces) override {
        return CreateAndWrite(file, pieces);
    }
};

} // namespace

FileDevice& SystemFiles() {
    static SystemFileDevice files;
    return files;
}

} // namespace tressal
