# Keeps a lower layer from reaching a higher one: lumivo_check_layer(TARGET DIR FORBIDDEN dirs...)
# makes TARGET wait for a check that reads every #include of DIR's sources and headers and fails
# the build when one names a header that lives in a FORBIDDEN folder (by file name, so that
# "../uikit/X.h" and <X.h> are caught alike). The check runs again whenever a file of DIR changes.
# Run as a script (cmake -P) it performs the check itself.

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_policy(SET CMP0057 NEW)
  string(REPLACE ":" ";" forbidden_dirs "${LAYER_FORBIDDEN}")
  set(forbidden_names "")
  foreach(dir IN LISTS forbidden_dirs)
    file(GLOB_RECURSE headers "${dir}/*.h")
    foreach(h IN LISTS headers)
      get_filename_component(n "${h}" NAME)
      string(TOLOWER "${n}" n)
      list(APPEND forbidden_names "${n}")
    endforeach()
  endforeach()
  file(GLOB_RECURSE files "${LAYER_DIR}/*.h" "${LAYER_DIR}/*.cpp")
  set(faults "")
  foreach(f IN LISTS files)
    file(STRINGS "${f}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"].*$" "\\1" inc "${line}")
      get_filename_component(n "${inc}" NAME)
      string(TOLOWER "${n}" n)
      if(n IN_LIST forbidden_names)
        file(RELATIVE_PATH rel "${LAYER_DIR}" "${f}")
        string(APPEND faults "  ${rel}: #include ${inc}\n")
      endif()
    endforeach()
  endforeach()
  if(faults)
    message(FATAL_ERROR "${LAYER_DIR} reaches a layer above it:\n${faults}")
  endif()
  file(WRITE "${LAYER_STAMP}" "")
  return()
endif()

set(LUMIVO_LAYERS_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(lumivo_check_layer target dir)
  cmake_parse_arguments(A "" "" "FORBIDDEN" ${ARGN})
  file(GLOB_RECURSE files CONFIGURE_DEPENDS "${dir}/*.h" "${dir}/*.cpp")
  string(REPLACE ";" ":" forbidden "${A_FORBIDDEN}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}.layer-checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DLAYER_DIR=${dir} "-DLAYER_FORBIDDEN=${forbidden}"
            -DLAYER_STAMP=${stamp} -P ${LUMIVO_LAYERS_SCRIPT}
    DEPENDS ${files} ${LUMIVO_LAYERS_SCRIPT}
    COMMENT "Checking that ${target} includes no header of a layer above it"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer_check)
endfunction()
