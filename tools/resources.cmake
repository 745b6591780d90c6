# Resources of the Windows programs: version information (the version of tools/version.cmake,
# which the release zip is named after), the application manifest, and icons drawn by icongen
# from the patterns that the programs draw their windows' icons from. Included by the
# top-level CMakeLists.txt in the Windows build; kubo_program_resources() gives one program
# its resources.
enable_language(RC)

# `make` passes the version it names the zip with; otherwise it is found the same way.
if(NOT KUBO_VERSION)
  include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)
  kubo_source_version(KUBO_VERSION)
endif()
# The four numbers that Windows' Properties and installers read: MAJOR.MINOR.BUILD.0 from
# the text's MAJOR.MINOR.BUILD, each at most 65535.
if(NOT KUBO_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)-")
  message(FATAL_ERROR "KUBO_VERSION \"${KUBO_VERSION}\" does not begin with MAJOR.MINOR.BUILD- (such as 1.0.129-g07fa9dc)")
endif()
set(KUBO_RC_NUMBERS ${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},0)
foreach(part ${CMAKE_MATCH_1} ${CMAKE_MATCH_2} ${CMAKE_MATCH_3})
  if(part GREATER 65535)
    message(FATAL_ERROR "KUBO_VERSION \"${KUBO_VERSION}\": ${part} does not fit a Windows version number")
  endif()
endforeach()

set(KUBO_RESOURCE_DIR ${CMAKE_BINARY_DIR}/resources)
file(MAKE_DIRECTORY ${KUBO_RESOURCE_DIR})

# icongen runs on the build machine: in a cross build it is compiled with the machine's
# own compiler, beside the Windows programs' one.
set(icongen_sources ${CMAKE_SOURCE_DIR}/tools/icongen.cpp ${CMAKE_SOURCE_DIR}/tools/icon_file.cpp
                    ${CMAKE_SOURCE_DIR}/view/icon_pattern.cpp)
if(CMAKE_CROSSCOMPILING)
  find_program(KUBO_HOST_CXX NAMES c++ g++ clang++ REQUIRED)
  set(icongen ${KUBO_RESOURCE_DIR}/icongen)
  set(host_flags -std=c++17 -O1 -Wall -Wextra)
  if(KUBO_WERROR)
    list(APPEND host_flags -Werror)
  endif()
  add_custom_command(
    OUTPUT ${icongen}
    COMMAND ${KUBO_HOST_CXX} ${host_flags} -I${CMAKE_SOURCE_DIR} ${icongen_sources} -o ${icongen}
    DEPENDS ${icongen_sources} ${CMAKE_SOURCE_DIR}/tools/icon_file.h ${CMAKE_SOURCE_DIR}/view/icon_pattern.h
    COMMENT "Building icongen for the build machine")
else()
  add_executable(icongen ${icongen_sources})
  set_target_properties(icongen PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${KUBO_RESOURCE_DIR})
  set(icongen icongen)
endif()
foreach(kind select rtd)
  add_custom_command(
    OUTPUT ${KUBO_RESOURCE_DIR}/${kind}.ico
    COMMAND ${icongen} ${kind} ${KUBO_RESOURCE_DIR}/${kind}.ico
    DEPENDS ${icongen}
    COMMENT "Drawing the icon ${kind}.ico")
endforeach()
add_custom_target(kubo_icons DEPENDS ${KUBO_RESOURCE_DIR}/select.ico ${KUBO_RESOURCE_DIR}/rtd.ico)

# kubo_program_resources(TARGET DESCRIPTION [ICON select|rtd])
function(kubo_program_resources target description)
  cmake_parse_arguments(arg "" "ICON" "" ${ARGN})
  set(KUBO_RC_TARGET ${target})
  set(KUBO_RC_DESCRIPTION "${description}")
  set(KUBO_RC_MANIFEST ${CMAKE_SOURCE_DIR}/tools/program.manifest)
  set(depends ${KUBO_RC_MANIFEST})
  set(KUBO_RC_ICON "")
  if(arg_ICON)
    set(ico ${KUBO_RESOURCE_DIR}/${arg_ICON}.ico)
    # The first icon of a program is the one Explorer shows for it.
    set(KUBO_RC_ICON "1 ICON \"${ico}\"")
    list(APPEND depends ${ico})
    add_dependencies(${target} kubo_icons)
  endif()
  set(rc ${KUBO_RESOURCE_DIR}/${target}.rc)
  configure_file(${CMAKE_SOURCE_DIR}/tools/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  # The resource compiler's object must follow the icon and the manifest it takes in.
  if(CMAKE_VERSION VERSION_LESS 3.18)
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS "${depends}")
  else()
    set_source_files_properties(${rc} TARGET_DIRECTORY ${target} PROPERTIES OBJECT_DEPENDS "${depends}")
  endif()
endfunction()
