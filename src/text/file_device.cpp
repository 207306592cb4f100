#include "text/file_device.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tressal {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::FILE* OpenForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

} // namespace

int FileDevice::WriteNew(const std::filesystem::path& file, std::string_view bytes) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> handle(OpenForWriting(file));
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
