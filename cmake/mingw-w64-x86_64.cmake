# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (posix threads).
# Libraries built for Windows live in TRESSAL_WINDOWS_PREFIXES (a list of install prefixes).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TRESSAL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TRESSAL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRESSAL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TRESSAL_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TRESSAL_MINGW_TRIPLET} ${TRESSAL_WINDOWS_PREFIXES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The prefixes reach try_compile projects too.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TRESSAL_WINDOWS_PREFIXES)
# Tests and tools built for Windows run under Wine, through a wrapper that
# picks Debian's wine64 and a prefix of the build's own.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../packaging/windows/wine.sh)
endif()
