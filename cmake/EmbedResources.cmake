# Resources for a binary: PNG files under numeric ids, found by the toolkit's findResource,
# and BMP files (by their extension), which the toolkit loads as bitmap resources. On Windows a
# resource script (types "PNG" and BITMAP) for windres; on Linux a generated table of byte
# arrays that registers itself when the binary loads.
#
#   grimbolt_embed_resources(TARGET ID FILE [ID FILE ...])
if(WIN32)
  enable_language(RC)
endif()
set(GRIMBOLT_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResourceTable.cmake)

function(grimbolt_embed_resources target)
  set(pairs ${ARGN})
  set(files)
  set(entries)
  set(script "")
  while(pairs)
    list(POP_FRONT pairs id file)
    get_filename_component(file ${file} ABSOLUTE)
    list(APPEND files ${file})
    list(APPEND entries "${id}=${file}")
    if(file MATCHES "\\.bmp$")
      string(APPEND script "${id} BITMAP \"${file}\"\n")
    else()
      string(APPEND script "${id} PNG \"${file}\"\n")
    endif()
  endwhile()
  if(WIN32)
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc)
    file(GENERATE OUTPUT ${output} CONTENT "${script}")
    target_sources(${target} PRIVATE ${output})
    set_source_files_properties(${output} PROPERTIES OBJECT_DEPENDS "${files}")
  else()
    set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
    string(REPLACE ";" "|" entry_list "${entries}")
    add_custom_command(OUTPUT ${output}
      COMMAND ${CMAKE_COMMAND} -DOUTPUT=${output} "-DENTRIES=${entry_list}" -P ${GRIMBOLT_EMBED_SCRIPT}
      DEPENDS ${files} ${GRIMBOLT_EMBED_SCRIPT}
      COMMENT "Embedding resources of ${target}"
      VERBATIM)
    target_sources(${target} PRIVATE ${output})
  endif()
endfunction()
