# version.cmake: the version of the sources, which the programs, the release zip and its check
# all carry: MAJOR.MINOR from the file VERSION, the number of commits as the build number, and
# the commit, for example 1.0.129-g07fa9dc (with -dirty while there are uncommitted changes).
#   cmake -P tools/version.cmake    prints it
#   include(tools/version.cmake)    kubo_source_version(VAR) sets VAR to it
# Where the commits cannot be counted the build number is 0 and the text says why: a shallow
# clone gives 1.0.0-g07fa9dc-shallow, sources without their git history 1.0.0-unknown. A
# notice says so on every call, and dist.sh makes no release of such a version.

get_filename_component(KUBO_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. REALPATH)

function(kubo_source_version var)
  file(STRINGS ${KUBO_SOURCE_ROOT}/VERSION release LIMIT_COUNT 1)
  string(STRIP "${release}" release)
  if(NOT release MATCHES "^[0-9]+\\.[0-9]+$")
    message(FATAL_ERROR "version: the file VERSION must hold MAJOR.MINOR, such as 1.0, not \"${release}\"")
  endif()

  find_program(KUBO_GIT git)
  if(NOT KUBO_GIT)
    message(NOTICE "version: build number 0, git is not installed")
    set(${var} "${release}.0-unknown" PARENT_SCOPE)
    return()
  endif()
  macro(ask_git answer)
    execute_process(COMMAND ${KUBO_GIT} ${ARGN} WORKING_DIRECTORY ${KUBO_SOURCE_ROOT}
                    OUTPUT_VARIABLE ${answer} RESULT_VARIABLE failed ERROR_QUIET
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(failed)
      set(${answer} "")
    endif()
  endmacro()

  # The sources must be the top of their own checkout: inside some other repository the
  # count would be that repository's.
  ask_git(top rev-parse --show-toplevel)
  if(top)
    get_filename_component(top "${top}" REALPATH)
  endif()
  if(NOT top)
    message(NOTICE "version: build number 0, the sources are no git checkout")
    set(${var} "${release}.0-unknown" PARENT_SCOPE)
    return()
  elseif(NOT top STREQUAL KUBO_SOURCE_ROOT)
    message(NOTICE "version: build number 0, the sources lie inside the git checkout ${top}")
    set(${var} "${release}.0-unknown" PARENT_SCOPE)
    return()
  endif()

  # Tags never enter the text: it always names the commit.
  ask_git(commit describe --always --dirty --exclude=*)
  ask_git(shallow rev-parse --is-shallow-repository)
  if(shallow STREQUAL "true")
    message(NOTICE "version: build number 0, a shallow clone does not hold all commits "
                   "(git fetch --unshallow fetches them)")
    set(${var} "${release}.0-g${commit}-shallow" PARENT_SCOPE)
    return()
  endif()
  ask_git(commits rev-list --count HEAD)
  if(NOT commit OR NOT commits MATCHES "^[0-9]+$")
    message(NOTICE "version: build number 0, git cannot count the commits")
    set(${var} "${release}.0-unknown" PARENT_SCOPE)
    return()
  endif()
  if(commits GREATER 65535)
    message(FATAL_ERROR "version: ${commits} commits do not fit a Windows version's build number (at most 65535)")
  endif()
  set(${var} "${release}.${commits}-g${commit}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  kubo_source_version(version)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${version}")
endif()
