#ifdef _WIN32

#include "text/windows_errors.h"

#include "text/file_device.h"

#include <cerrno>
#include <windows.h>

namespace tressal {

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

int ErrnoOf(const std::error_code& error) {
    if (error.category() == std::system_category())
        return ErrnoOfWindowsError(static_cast<unsigned long>(error.value()));
    return error.value();
}

} // namespace tressal

#endif
