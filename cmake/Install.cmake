# cmake --install: the programs, their samples, the desktop entry, the icons, the AppStream data
# and the manual pages. cpack -G DEB: the same files as a Debian package.
include(GNUInstallDirs)

set(TRESSAL_LICENSE "GPL-3.0-or-later")
set(TRESSAL_HOMEPAGE "https://tressal.fr")
set(TRESSAL_MAINTAINER "L'équipe Tressal <contact@tressal.fr>")

# The program finds its samples from its own folder (src/app/app_services.cpp).
file(RELATIVE_PATH samples_from_bin /prefix/${CMAKE_INSTALL_BINDIR}
     /prefix/${CMAKE_INSTALL_DATADIR}/tressal/samples)
if(NOT samples_from_bin STREQUAL "../share/tressal/samples")
  message(FATAL_ERROR "Tressal installe ses exemples dans ${CMAKE_INSTALL_DATADIR}/tressal/samples, "
    "qu'il ne trouvera pas depuis ${CMAKE_INSTALL_BINDIR} : gardez les dossiers bin et share.")
endif()

set(generated ${CMAKE_BINARY_DIR}/packaging)
set(docdir ${CMAKE_INSTALL_DATAROOTDIR}/doc/tressal)

# Manual pages and the changelog are shipped compressed, without a time stamp.
function(tressal_gzip input output)
  execute_process(COMMAND gzip -9 -n -c ${input} OUTPUT_FILE ${output} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${input} : échec")
  endif()
endfunction()

execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d "${TRESSAL_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE TRESSAL_RELEASE_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE)
configure_file(packaging/changelog.in ${generated}/changelog @ONLY)
tressal_gzip(${generated}/changelog ${generated}/changelog.gz)
install(FILES ${generated}/changelog.gz packaging/copyright DESTINATION ${docdir})

install(TARGETS tressal-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TRESSAL_SAMPLES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tressal/samples)
install(FILES packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME tressal)
set(manual_pages tressal-cli)

if(TARGET tressal)
  install(TARGETS tressal RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  list(APPEND manual_pages tressal)

  configure_file(packaging/app.desktop.in ${generated}/${TRESSAL_APP_ID}.desktop @ONLY)
  configure_file(packaging/app.metainfo.xml.in ${generated}/${TRESSAL_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${generated}/${TRESSAL_APP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${generated}/${TRESSAL_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES resources/app-icon/${size}.png DESTINATION ${icons}/${size}x${size}/apps
            RENAME ${TRESSAL_APP_ID}.png)
  endforeach()
  install(FILES resources/app-icon/tressal.svg DESTINATION ${icons}/scalable/apps
          RENAME ${TRESSAL_APP_ID}.svg)
endif()

foreach(page ${manual_pages})
  configure_file(packaging/${page}.1.in ${generated}/${page}.1 @ONLY)
  tressal_gzip(${generated}/${page}.1 ${generated}/${page}.1.gz)
  install(FILES ${generated}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The Debian package: tressal_VERSION_ARCH.deb, its dependencies read from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tressal)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${TRESSAL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "conversion des exports SIECLE, Sconet et STS pour Orlane, Vesko, PMB et BCDI")
set(CPACK_PACKAGE_DESCRIPTION
    "Tressal lit l'export des élèves de SIECLE (XML, zippé ou non) ou l'ancien\n"
    "export Sconet (CSV), et l'export STS des enseignants d'un établissement\n"
    "scolaire, et écrit les fichiers d'import des logiciels Orlane, Vesko, PMB et\n"
    "BCDI. Le paquet contient le programme à fenêtres (tressal), la commande\n"
    "tressal-cli et des exports d'exemple inventés.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TRESSAL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
if(TARGET tressal)
  # Qt loads its platform plugins at run time: the binaries do not name them.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
endif()
include(CPack)
