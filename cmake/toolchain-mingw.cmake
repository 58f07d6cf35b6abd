# Cross toolchain for Windows with mingw-w64's posix-thread g++ (std::thread, std::mutex work).
# LUMIVO_ARCH selects the target: i686 (the shipping 32-bit build) or x86_64.
if(NOT LUMIVO_ARCH)
  set(LUMIVO_ARCH "$ENV{LUMIVO_ARCH}")
endif()
if(NOT LUMIVO_ARCH)
  set(LUMIVO_ARCH i686)
endif()
set(LUMIVO_ARCH "${LUMIVO_ARCH}" CACHE STRING "Windows target architecture: i686 or x86_64")
# try_compile projects re-read this file; hand the choice on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LUMIVO_ARCH)

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${LUMIVO_ARCH})
set(LUMIVO_TRIPLET ${LUMIVO_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER   ${LUMIVO_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LUMIVO_TRIPLET}-g++-posix)
# Our wrapper of the triplet's windres fails on a resource defined twice.
set(CMAKE_RC_COMPILER  ${CMAKE_CURRENT_LIST_DIR}/${LUMIVO_TRIPLET}-strict-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LUMIVO_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
