#include "text/file_device.h"

#include "text/c_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include "text/windows_errors.h"

#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tressal {

#ifdef _WIN32

int FileDevice::WriteNew(const std::filesystem::path& file, std::string_view bytes) {
    // A fresh file, never one that exists, shared with no one while it is written.
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return ErrnoOfWindowsError(GetLastError());
    std::string_view rest = bytes;
    bool written = true;
    while (written && !rest.empty()) {
        DWORD done = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 1 << 30));
        written = WriteFile(handle, rest.data(), chunk, &done, nullptr) != 0 && done > 0;
        rest.remove_prefix(done);
    }
    // On disk before it replaces anything.
    written = written && FlushFileBuffers(handle) != 0;
    const DWORD writeError = written ? 0 : GetLastError();
    const bool closed = CloseHandle(handle) != 0;
    if (written && closed)
        return 0;
    return writeError != 0 ? ErrnoOfWindowsError(writeError) : EIO;
}

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

int FileDevice::WriteNew(const std::filesystem::path& file, std::string_view bytes) {
    errno = 0;
    CFile handle = OpenCFile(file, CFileMode::Write);
    if (!handle)
        return errno ? errno : EIO;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), handle.get()) == bytes.size();
    // On disk before it replaces anything.
    written = written && std::fflush(handle.get()) == 0 && fsync(fileno(handle.get())) == 0;
    const int writeError = errno;
    const bool closed = std::fclose(handle.release()) == 0;
    if (written && closed)
        return 0;
    return writeError ? writeError : EIO;
}

int FileDevice::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error.value();
}

#endif

int FileDevice::AddName(const std::filesystem::path& file, const std::filesystem::path& name) {
    std::error_code error;
    std::filesystem::create_hard_link(file, name, error);
    if (!error)
        return 0;
    std::filesystem::copy_file(file, name, error);
#ifdef _WIN32
    return ErrnoOf(error);
#else
    return error.value();
#endif
}

FileDevice& SystemFiles() {
    static FileDevice files;
    return files;
}

} // namespace tressal
