# ondivox_embed_resources(<target> <id> <file> [<id> <file> ...])
#
# Compiles files into <target> as resources of type "PNG" with numeric ids,
# found at run time by PX_FindResource / PX_ReadPngResource (raster).
# Windows: a generated .rc file compiled by windres into the module's own
# resource section. Elsewhere: a generated C++ table of id -> bytes that
# registers itself at start-up (link `raster`).
#
# Give the final module (the plug-in library or a program), not a static
# library: the linker would drop resources nobody references.
# Include this file from the directory that defines <target> or a parent,
# so the RC language is enabled for it.

if(WIN32)
  enable_language(RC)
endif()

set(ONDIVOX_EMBED_GENERATOR ${CMAKE_CURRENT_LIST_DIR}/EmbedResourcesGen.cmake)

function(ondivox_embed_resources target)
  set(pairs ${ARGN})
  list(LENGTH pairs count)
  math(EXPR odd "${count} % 2")
  if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "ondivox_embed_resources: give pairs of <id> <file>")
  endif()
  set(files)
  set(absolutePairs)
  math(EXPR last "${count} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET pairs ${i} id)
    list(GET pairs ${j} file)
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND files "${file}")
    list(APPEND absolutePairs "${id}" "${file}")
  endforeach()

  if(WIN32)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
    set(text "")
    foreach(i RANGE 0 ${last} 2)
      math(EXPR j "${i} + 1")
      list(GET absolutePairs ${i} id)
      list(GET absolutePairs ${j} file)
      string(APPEND text "${id} PNG \"${file}\"\n")
    endforeach()
    file(GENERATE OUTPUT ${out} CONTENT "${text}")
    set_source_files_properties(${out} PROPERTIES OBJECT_DEPENDS "${files}")
  else()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
    string(REPLACE ";" "|" encoded "${absolutePairs}")
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DPAIRS=${encoded} -P ${ONDIVOX_EMBED_GENERATOR}
      DEPENDS ${files} ${ONDIVOX_EMBED_GENERATOR}
      COMMENT "Embedding resources into ${target}"
      VERBATIM)
    # The table registers itself with raster's lookup. Appending to the
    # property keeps whichever target_link_libraries style the caller uses.
    set_property(TARGET ${target} APPEND PROPERTY LINK_LIBRARIES raster)
  endif()
  target_sources(${target} PRIVATE ${out})
endfunction()
