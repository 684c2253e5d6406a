# A deliverable exports exactly the names its Windows .def file lists (plus
# DllMain, which the Windows loader finds without an export). Everything else
# stays local: glibc refuses to unload a library whose unique or template
# symbols another library has bound to, and a second load would then see the
# first load's globals.
function(sigilon_exports target def_file)
  file(STRINGS ${def_file} def_lines)
  set(in_exports FALSE)
  set(global_list "DllMain;")
  foreach(line IN LISTS def_lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^;")
      continue()
    endif()
    if(line MATCHES "^EXPORTS")
      set(in_exports TRUE)
      continue()
    endif()
    if(line MATCHES "^[A-Z]+( |$)" AND NOT in_exports)
      continue()
    endif()
    if(in_exports)
      string(REGEX MATCH "^[A-Za-z_][A-Za-z0-9_]*" name "${line}")
      string(APPEND global_list " ${name};")
    endif()
  endforeach()
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}.map)
  file(WRITE ${script} "{\n  global: ${global_list}\n  local: *;\n};\n")
  set_target_properties(${target} PROPERTIES
    PREFIX ""
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON
    LINK_DEPENDS ${def_file})
  target_link_options(${target} PRIVATE
    -Wl,--version-script=${script} -Wl,--no-undefined)
endfunction()
