# The version is set once, in project(); the release date goes with it. The code reads both
# from a generated header, the packaging files from these variables.
set(TRESSAL_RELEASE_DATE "2026-12-08")
# Desktop entry, AppStream data and icons are named after this identifier.
set(TRESSAL_APP_ID "fr.tressal.Tressal")

configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/generated/version.h @ONLY)
add_library(tressal_version INTERFACE)
target_include_directories(tressal_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
