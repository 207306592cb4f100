#include "text/file_device.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include "text/c_file.h"

#include <cstdio>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tressal {
namespace {

#ifdef _WIN32

int CreateAndWrite(const std::filesystem::path& file, std::string_view bytes) {
    errno = 0;
    CFile handle = OpenCFile(file, CFileMode::Write);
    if (!handle)
        return errno ? errno : EIO;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), handle.get()) == bytes.size();
    const int writeError = errno;
    const bool closed = std::fclose(handle.release()) == 0;
    if (written && closed)
        return 0;
    return writeError ? writeError : EIO;
}

#else

// Never through a link, never over a file already there, whoever made it: the
// name is only ours once this open has created it.
int CreateAndWrite(const std::filesystem::path& file, std::string_view bytes) {
    const int descriptor =
        open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return errno;
    int error = 0;
    for (std::size_t done = 0; error == 0 && done < bytes.size();) {
        const ssize_t written = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written >= 0)
            done += static_cast<std::size_t>(written);
        else if (errno != EINTR)
            error = errno;
    }
    // On disk before it replaces anything.
    if (error == 0 && fsync(descriptor) != 0)
        error = errno;
    if (close(descriptor) != 0 && error == 0 && errno != EINTR)
        error = errno;
    return error;
}

#endif

} // namespace

int FileDevice::WriteNew(const std::filesystem::path& file, std::string_view bytes) {
    return CreateAndWrite(file, bytes);
}

int FileDevice::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return error.value();
}

int FileDevice::AddName(const std::filesystem::path& file, const std::filesystem::path& name) {
    std::error_code error;
    std::filesystem::create_hard_link(file, name, error);
    if (!error || error.value() == EEXIST)
        return error.value();
    std::filesystem::copy_file(file, name, error);
    return error.value();
}

FileDevice& SystemFiles() {
    static FileDevice files;
    return files;
}

} // namespace tressal
