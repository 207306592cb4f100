# tressal.exe for Windows: a windowed program (no console), with its icon and version
# information, Qt's French translations built in, and Qt's plugins linked in (Qt is static
# there: packaging/windows/build-qtbase.sh).
enable_language(RC)

set(TRESSAL_WINDOWS_ICON ${CMAKE_SOURCE_DIR}/resources/app-icon/tressal.ico)
configure_file(packaging/windows/tressal.rc.in ${CMAKE_BINARY_DIR}/generated/tressal.rc @ONLY)
target_sources(tressal PRIVATE ${CMAKE_BINARY_DIR}/generated/tressal.rc)
set_target_properties(tressal PROPERTIES WIN32_EXECUTABLE ON)
# Shipped without its symbol table.
target_link_options(tressal PRIVATE -s)

# Qt's catalogue from Debian's qt6-translations-l10n, read from ":/translations" at start-up.
find_file(TRESSAL_QT_FRENCH qtbase_fr.qm PATHS /usr/share/qt6/translations
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
get_filename_component(qt_translations_dir ${TRESSAL_QT_FRENCH} DIRECTORY)
qt_add_resources(tressal qt_translations PREFIX /translations BASE ${qt_translations_dir}
                 FILES ${TRESSAL_QT_FRENCH})

# The windows platform and the Windows look; JPEG for the pictures of the About window.
qt_import_plugins(tressal
  INCLUDE_BY_TYPE platforms Qt6::QWindowsIntegrationPlugin
  INCLUDE_BY_TYPE styles Qt6::QWindowsVistaStylePlugin
  INCLUDE_BY_TYPE imageformats Qt6::QJpegPlugin)

# The window tests run without a display, under Wine.
function(tressal_windows_gui_test target)
  qt_import_plugins(${target}
    INCLUDE_BY_TYPE platforms Qt6::QOffscreenIntegrationPlugin
    INCLUDE_BY_TYPE styles Qt6::QWindowsVistaStylePlugin
    INCLUDE_BY_TYPE imageformats Qt6::QJpegPlugin)
endfunction()
