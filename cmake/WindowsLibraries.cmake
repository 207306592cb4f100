# The libraries of the Windows build, static, from the install prefixes in
# TRESSAL_WINDOWS_PREFIXES (packaging/windows/dependencies.sh builds them).
enable_language(C)
add_compile_definitions(U_STATIC_IMPLEMENTATION LIBXML_STATIC)
# One program file, no MinGW runtime DLL beside it.
add_link_options(-static -static-libgcc -static-libstdc++ -s)

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)
find_package(libzip CONFIG REQUIRED)
set(TRESSAL_ZIP_LIBRARY libzip::zip)

find_package(LibXml2 REQUIRED)

find_path(TRESSAL_ICU_INCLUDE_DIR unicode/coll.h REQUIRED)
find_library(TRESSAL_ICU_UC_LIBRARY NAMES sicuuc icuuc REQUIRED)
find_library(TRESSAL_ICU_I18N_LIBRARY NAMES sicuin icuin REQUIRED)
include(cmake/IcuData.cmake)
add_library(ICU::uc STATIC IMPORTED)
set_target_properties(ICU::uc PROPERTIES IMPORTED_LOCATION ${TRESSAL_ICU_UC_LIBRARY}
  INTERFACE_INCLUDE_DIRECTORIES ${TRESSAL_ICU_INCLUDE_DIR}
  INTERFACE_LINK_LIBRARIES tressal_icu_data)
add_library(ICU::i18n STATIC IMPORTED)
set_target_properties(ICU::i18n PROPERTIES IMPORTED_LOCATION ${TRESSAL_ICU_I18N_LIBRARY}
  INTERFACE_LINK_LIBRARIES ICU::uc)
