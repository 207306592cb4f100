# ICU's data for the Windows build, reduced to the items the program opens
# (packaging/windows/icu-data.txt): packed at configure time from ICU's full
# data with Debian's native ICU tools (icupkg, genccode), then compiled in.
# An item missing from the list makes the program refuse to start its
# collation, and the tests that sort fail.
find_program(TRESSAL_ICUPKG icupkg PATHS /usr/sbin REQUIRED)
find_program(TRESSAL_GENCCODE genccode PATHS /usr/sbin REQUIRED)
file(STRINGS ${TRESSAL_ICU_INCLUDE_DIR}/unicode/uvernum.h icu_version
     REGEX "^#define U_ICU_VERSION \"")
string(REGEX MATCH "[0-9.]+" icu_version "${icu_version}")
string(REGEX MATCH "^[0-9]+" icu_major "${icu_version}")
set(icu_name icudt${icu_major}l)
get_filename_component(icu_prefix ${TRESSAL_ICU_INCLUDE_DIR} DIRECTORY)
set(TRESSAL_ICU_FULL_DATA ${icu_prefix}/share/icu/${icu_version}/${icu_name}.dat)
if(NOT EXISTS ${TRESSAL_ICU_FULL_DATA})
  message(FATAL_ERROR "ICU's full data is not at ${TRESSAL_ICU_FULL_DATA}")
endif()

set(icu_list ${CMAKE_SOURCE_DIR}/packaging/windows/icu-data.txt)
set(icu_work ${CMAKE_BINARY_DIR}/icu-data)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${icu_list}
  ${TRESSAL_ICU_FULL_DATA})
file(REMOVE_RECURSE ${icu_work})
file(MAKE_DIRECTORY ${icu_work}/items)
file(STRINGS ${icu_list} icu_items REGEX "^[^#]")
list(JOIN icu_items "\n" icu_items)
file(WRITE ${icu_work}/items.txt "${icu_items}\n")
function(tressal_run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(failed)
    message(FATAL_ERROR "ICU data: ${ARGN} failed:\n${out}")
  endif()
endfunction()
tressal_run(${TRESSAL_ICUPKG} -d ${icu_work}/items -x ${icu_work}/items.txt
            ${TRESSAL_ICU_FULL_DATA})
tressal_run(${TRESSAL_ICUPKG} -s ${icu_work}/items -a ${icu_work}/items.txt new
            ${icu_work}/${icu_name}.dat)
tressal_run(${TRESSAL_GENCCODE} -d ${icu_work} ${icu_work}/${icu_name}.dat)
# genccode names the array after the file (icudt72l_dat); ICU links to icudt72_dat.
file(READ ${icu_work}/${icu_name}_dat.c icu_code)
string(REPLACE "} ${icu_name}_dat={" "} icudt${icu_major}_dat={" icu_code "${icu_code}")
file(WRITE ${icu_work}/${icu_name}_dat.c "${icu_code}")
add_library(tressal_icu_data STATIC ${icu_work}/${icu_name}_dat.c)
target_include_directories(tressal_icu_data PRIVATE ${TRESSAL_ICU_INCLUDE_DIR})
