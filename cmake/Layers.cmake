# One static library per folder of src/, linked only downward. Each library
# sees its own folder and those of the libraries it links to, through a root
# of its own under the build tree: an include that reaches a layer it may not
# use does not compile ("No such file or directory").
#
#   tressal_layer(NAME PUBLIC <what its headers need> PRIVATE <what only its sources need>)
function(tressal_folder_root target folder)
  set(root ${CMAKE_BINARY_DIR}/layers/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()

function(tressal_layer name)
  cmake_parse_arguments(LAYER "" "" "PUBLIC;PRIVATE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${name}/*.cpp)
  add_library(tressal_${name} STATIC ${sources})
  tressal_folder_root(tressal_${name} ${name})
  target_link_libraries(tressal_${name} PUBLIC ${LAYER_PUBLIC} PRIVATE ${LAYER_PRIVATE})
endfunction()

tressal_layer(text PUBLIC ICU::uc ICU::i18n)
tressal_layer(archive PUBLIC tressal_text PRIVATE ${TRESSAL_ZIP_LIBRARY})
tressal_layer(xml PUBLIC tressal_text LibXml2::LibXml2 PRIVATE tressal_archive)
tressal_layer(sts PUBLIC tressal_xml PRIVATE tressal_archive)
tressal_layer(students PUBLIC tressal_xml tressal_archive)
tressal_layer(teachers PUBLIC tressal_sts)
# The command line and the windows see the conversions and the text layer under
# them, not the readers.
tressal_layer(conversions PUBLIC tressal_text PRIVATE tressal_students tressal_teachers)

# The whole core, for the windows, the tests, the benchmarks and the fuzzers.
add_library(tressal_core INTERFACE)
target_link_libraries(tressal_core INTERFACE tressal_conversions tressal_students
  tressal_teachers tressal_sts tressal_xml tressal_archive tressal_text)
