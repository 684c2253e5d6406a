# A module's resources travel inside the module, as on Windows: the build
# bundles the resource script and every bitmap and icon it names into one
# byte array in the ELF section ".sigrsrc", where the platform's resource
# functions (LoadStringA, LoadImageA, DialogBoxParamA) find them. The archive's
# layout is described in platform/src/resource_archive.h.
set(SIGILON_EMBED_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)

function(sigilon_embed_resources target rcfile)
  get_filename_component(rc ${rcfile} ABSOLUTE)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
  set(depfile ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.d)
  # The depfile names the files the script refers to, so that editing a
  # bitmap, or naming a new one, rebuilds the bundle.
  add_custom_command(
    OUTPUT ${generated}
    COMMAND ${CMAKE_COMMAND} -DRC_FILE=${rc} -DOUTPUT=${generated} -DDEPFILE=${depfile}
            -P ${SIGILON_EMBED_RESOURCES_SCRIPT}
    DEPENDS ${rc} ${SIGILON_EMBED_RESOURCES_SCRIPT}
    DEPFILE ${depfile}
    COMMENT "Embedding the resources of ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${generated})
endfunction()
