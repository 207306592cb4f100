#pragma once

#ifdef _WIN32

#include <system_error>

namespace tressal {

// The errno value whose wording (SystemReason) fits a Windows error code;
// kHeldByAnotherProgram for a file another program keeps open.
int ErrnoOfWindowsError(unsigned long error);

// The errno value of an error reported by std::filesystem, whose codes on
// Windows are the system's own.
int ErrnoOf(const std::error_code& error);

} // namespace tressal

#endif
