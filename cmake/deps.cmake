# Imports the third-party libraries that scripts/deps builds as deps::* targets:
#   deps::zlib deps::minizip deps::lzo2 deps::jpeg deps::png deps::gif
#   deps::webp deps::webpdemux deps::webpmux deps::tiff
#   deps::gtest deps::gtest_main deps::gmock deps::gmock_main
# Set LUMIVO_DEPS_PREFIX to the prefix scripts/deps built (build/deps/<arch>)
# before including this file. The copy that scripts/deps puts in the prefix
# (<prefix>/deps.cmake) finds its prefix by itself.
include_guard(GLOBAL)

if(NOT LUMIVO_DEPS_PREFIX)
  if(EXISTS "${CMAKE_CURRENT_LIST_DIR}/.stamps")
    set(LUMIVO_DEPS_PREFIX "${CMAKE_CURRENT_LIST_DIR}")
  else()
    message(FATAL_ERROR "deps.cmake: set LUMIVO_DEPS_PREFIX to the prefix that scripts/deps built (build/deps/<arch>)")
  endif()
endif()
get_filename_component(_lumivo_deps "${LUMIVO_DEPS_PREFIX}" ABSOLUTE)

# _lumivo_dep(NAME LIBRARY LANGUAGE [DEPENDENCY...]): deps::NAME is the static
# LIBRARY of lib/, written in LANGUAGE, needing the given deps:: targets.
function(_lumivo_dep name library language)
  set(file "${_lumivo_deps}/lib/${library}")
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "deps.cmake: ${file} is missing: run scripts/deps for this architecture")
  endif()
  add_library(deps::${name} STATIC IMPORTED GLOBAL)
  set_target_properties(deps::${name} PROPERTIES
    IMPORTED_LOCATION "${file}"
    IMPORTED_LINK_INTERFACE_LANGUAGES ${language}
    INTERFACE_INCLUDE_DIRECTORIES "${_lumivo_deps}/include")
  if(ARGN)
    set_target_properties(deps::${name} PROPERTIES INTERFACE_LINK_LIBRARIES "${ARGN}")
  endif()
endfunction()

_lumivo_dep(zlib libz.a C)                     # zlib.h
_lumivo_dep(minizip libminizip.a C deps::zlib) # minizip/unzip.h, minizip/zip.h
_lumivo_dep(lzo2 liblzo2.a C)                  # lzo/lzo1x.h
_lumivo_dep(jpeg libjpeg.a C)                  # jpeglib.h
_lumivo_dep(png libpng16.a C deps::zlib)       # png.h
_lumivo_dep(gif libgif.a C)                    # gif_lib.h
_lumivo_dep(webp libwebp.a C)                  # webp/decode.h, webp/encode.h
_lumivo_dep(webpdemux libwebpdemux.a C deps::webp) # webp/demux.h
_lumivo_dep(webpmux libwebpmux.a C deps::webp)     # webp/mux.h
_lumivo_dep(tiff libtiff.a C deps::jpeg deps::zlib) # tiffio.h
_lumivo_dep(gtest libgtest.a CXX)              # gtest/gtest.h
_lumivo_dep(gtest_main libgtest_main.a CXX deps::gtest)
_lumivo_dep(gmock libgmock.a CXX deps::gtest)  # gmock/gmock.h
_lumivo_dep(gmock_main libgmock_main.a CXX deps::gmock)

# googletest was built with GTEST_HAS_PTHREAD=0 (on MinGW it uses Win32
# threads); its users must see the same value.
set_property(TARGET deps::gtest APPEND PROPERTY
  INTERFACE_COMPILE_DEFINITIONS GTEST_HAS_PTHREAD=0)
