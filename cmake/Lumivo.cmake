# Build conventions shared by every module of the suite.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

# build/bin is a program folder that runs as it is: programs, DLLs, runtime DLLs, Data\.
set(LUMIVO_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
set(LUMIVO_TEST_DIR ${CMAKE_BINARY_DIR}/tests)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${LUMIVO_BIN_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${LUMIVO_BIN_DIR})
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
# DLLs are named as they ship: ZVImage.dll, not libZVImage.dll.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "")

# A compiler cache shared by every checkout and build folder on the machine: paths below the
# source tree are hashed relative to it, so a fresh clone compiles from the cache.
find_program(LUMIVO_CCACHE ccache)
if(LUMIVO_CCACHE AND NOT DEFINED CMAKE_CXX_COMPILER_LAUNCHER)
  file(WRITE ${CMAKE_BINARY_DIR}/ccache-launch
    "#!/bin/sh\nCCACHE_BASEDIR='${CMAKE_SOURCE_DIR}' CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime exec '${LUMIVO_CCACHE}' \"$@\"\n")
  file(CHMOD ${CMAKE_BINARY_DIR}/ccache-launch PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
       GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_BINARY_DIR}/ccache-launch)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_BINARY_DIR}/ccache-launch)
endif()

# Unicode Win32 with wide entry points (wWinMain, wmain). msvcrt's printf rules stay in force:
# __USE_MINGW_ANSI_STDIO is never defined.
add_compile_definitions(UNICODE _UNICODE _WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX)
add_compile_options(-municode -Wall -Wno-unknown-pragmas
  $<$<COMPILE_LANGUAGE:CXX>:-Wno-class-memaccess>)
add_link_options(-municode)
if(LUMIVO_ARCH STREQUAL "i686")
  # 32-bit programs may use the whole 4 GB under a 64-bit Windows.
  set(LUMIVO_EXE_LINK_OPTIONS -Wl,--large-address-aware)
endif()

# Debug information is line tables (-g1) in every module, shipped or not: a backtrace still
# resolves to functions and source lines, and compiling costs a fifth to a third less than with
# full debug information. -DLUMIVO_FULL_DEBUG=ON brings variables and types back for a debugger.
option(LUMIVO_FULL_DEBUG "Full debug information instead of line tables" OFF)
if(NOT LUMIVO_FULL_DEBUG)
  foreach(lang C CXX)
    string(REPLACE "-g" "-g1" CMAKE_${lang}_FLAGS_RELWITHDEBINFO "${CMAKE_${lang}_FLAGS_RELWITHDEBINFO}")
  endforeach()
endif()

# Unity builds: the sources of a target are compiled eight to a translation unit, so that the
# Windows, GDI+, standard and framework headers, which are most of what the compiler reads for
# each source, are read once for eight. Names private to a source (anonymous namespaces, static
# functions) must therefore differ between the sources of a target; a source that cannot share
# is marked SKIP_UNITY_BUILD_INCLUSION. base/ is compiled source by source (see base/CMakeLists.txt).
set(CMAKE_UNITY_BUILD ON)
set(CMAKE_UNITY_BUILD_BATCH_SIZE 8)

# Version resource of every module: its .rc defines the description, file name and type,
# then includes version.rc.inc.
configure_file(${CMAKE_CURRENT_LIST_DIR}/LumivoVersion.h.in ${CMAKE_BINARY_DIR}/include/LumivoVersion.h)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_BINARY_DIR}/include -I${CMAKE_CURRENT_LIST_DIR} -c65001")
# The resource compiler's preprocessor lists the scripts and headers a resource script includes,
# so that a change to an included script rebuilds every resource object that includes it.
set(CMAKE_DEPFILE_FLAGS_RC
    "--preprocessor-arg=-MD --preprocessor-arg=-MT --preprocessor-arg=<DEP_TARGET> --preprocessor-arg=-MF --preprocessor-arg=<DEP_FILE>")

function(lumivo_executable target)
  cmake_parse_arguments(A "WIN32" "" "" ${ARGN})
  if(A_WIN32)
    add_executable(${target} WIN32 ${A_UNPARSED_ARGUMENTS})
  else()
    add_executable(${target} ${A_UNPARSED_ARGUMENTS})
  endif()
  target_link_options(${target} PRIVATE ${LUMIVO_EXE_LINK_OPTIONS})
  add_dependencies(${target} lumivo_runtime)
endfunction()

# One C++ runtime for every module: the runtime DLLs of the toolchain ship beside the programs.
set(_runtime_names libstdc++-6.dll libwinpthread-1.dll)
if(LUMIVO_ARCH STREQUAL "i686")
  list(APPEND _runtime_names libgcc_s_dw2-1.dll)
else()
  list(APPEND _runtime_names libgcc_s_seh-1.dll)
endif()
set(LUMIVO_RUNTIME_DLLS "")
foreach(name IN LISTS _runtime_names)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}")
    find_file(path_${name} ${name} PATHS /usr/${LUMIVO_TRIPLET}/lib NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
    set(path ${path_${name}})
  endif()
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "runtime DLL ${name} not found")
  endif()
  list(APPEND LUMIVO_RUNTIME_DLLS ${path})
endforeach()
# Shipped without their debug information: under Wine each process maps them whole.
find_program(LUMIVO_STRIP ${LUMIVO_TRIPLET}-strip REQUIRED)
set(_runtime_outputs "")
foreach(path IN LISTS LUMIVO_RUNTIME_DLLS)
  get_filename_component(name ${path} NAME)
  add_custom_command(OUTPUT ${LUMIVO_BIN_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMIVO_BIN_DIR}
    COMMAND ${LUMIVO_STRIP} --strip-debug -o ${LUMIVO_BIN_DIR}/${name} ${path}
    DEPENDS ${path}
    COMMENT "Runtime ${name}")
  list(APPEND _runtime_outputs ${LUMIVO_BIN_DIR}/${name})
endforeach()
add_custom_target(lumivo_runtime ALL DEPENDS ${_runtime_outputs})

# The program folder ships stripped: a module's debug information goes to bin/.debug/NAME.debug,
# which the stripped module names in a debug link, so that a backtrace still resolves to lines
# while a user's process maps only code and data.
find_program(LUMIVO_OBJCOPY ${LUMIVO_TRIPLET}-objcopy REQUIRED)
function(lumivo_split_debug target)
  set(debug ${LUMIVO_BIN_DIR}/.debug/$<TARGET_FILE_NAME:${target}>.debug)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LUMIVO_BIN_DIR}/.debug
    COMMAND ${LUMIVO_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> ${debug}
    COMMAND ${LUMIVO_STRIP} --strip-debug $<TARGET_FILE:${target}>
    COMMAND ${LUMIVO_OBJCOPY} --add-gnu-debuglink=${debug} $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()

# The wrapper that runs our programs under Wine, in the build's own prefix. CTest runs every
# test program through it.
if(LUMIVO_ARCH STREQUAL "i686")
  set(LUMIVO_WINE_LOADER /usr/lib/wine/wine)
else()
  set(LUMIVO_WINE_LOADER /usr/lib/wine/wine64)
endif()
set(LUMIVO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
configure_file(${CMAKE_SOURCE_DIR}/scripts/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

# A test program: lumivo_test(name [WINDOWS] SOURCES... [LIBS libs...]). It runs under CTest as
# `name`. WINDOWS marks a program that shows windows, moves the pointer or reads the screen back:
# it runs isolated (wine-run --isolated: a display and a Wine prefix of its own), so window test
# programs run side by side like the others and none sees another's windows, focus or pointer.
function(lumivo_test name)
  cmake_parse_arguments(A "WINDOWS" "" "LIBS" ${ARGN})
  add_executable(${name} ${A_UNPARSED_ARGUMENTS})
  # Test sources are unity-built like the modules: helpers and constants private to a test source
  # need names of their own (or a place in the folder's shared test header), and no test may rely
  # on running first: a test that leaves a message, window or setting behind cleans it up.
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${LUMIVO_TEST_DIR})
  target_link_libraries(${name} PRIVATE ${A_LIBS} deps::gmock deps::gtest)
  target_link_libraries(${name} PRIVATE lumivo_test_main)
  add_dependencies(${name} lumivo_runtime)
  if(A_WINDOWS)
    add_test(NAME ${name} COMMAND ${CMAKE_BINARY_DIR}/wine-run --isolated $<TARGET_FILE:${name}> --gtest_brief=1
             WORKING_DIRECTORY ${LUMIVO_TEST_DIR})
  else()
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1 WORKING_DIRECTORY ${LUMIVO_TEST_DIR})
  endif()
  # A program that Wine ends from outside can still report exit code 0: a run passes only when
  # GoogleTest printed its closing summary and no failure.
  set_tests_properties(${name} PROPERTIES
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ tests?\\."
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()
