#include "text/file_device.h"

#include "text/c_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tressal {
int FileDevice::WriteNew(const std::filesystem::path& file, std::string_view bytes) {
    errno = 0;
    CFile handle = OpenCFile(file, CFileMode::Write);
    if (!handle)
        return errno ? errno : EIO;
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), handle.get()) == bytes.size();
#ifndef _WIN32
    // On disk before it replaces anything.
    written = written && std::fflush(handle.get()) == 0 && fsync(fileno(handle.get())) == 0;
#endif
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

int FileDevice::AddName(const std::filesystem::path& file, const std::filesystem::path& name) {
    std::error_code error;
    std::filesystem::create_hard_link(file, name, error);
    if (!error)
        return 0;
    std::filesystem::copy_file(file, name, error);
    return error.value();
}

FileDevice& SystemFiles() {
    static FileDevice files;
    return files;
}

} // namespace tressal
