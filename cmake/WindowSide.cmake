# A program or module that links the GUI toolkit chooses its window side with the target
# property GRIMBOLT_WINDOW_SIDE. Programs may leave it unset and get the platform's default,
# but a plug-in module must name one: natively the default is the offscreen side, which would
# give a module's panel no window at all, silently.
#
#   grimbolt_require_window_sides(TOOLKIT SIDE [SIDE ...])
#
# checks, once every target is defined, that each MODULE library linking TOOLKIT (directly or
# through other libraries) names a window side, and that every named side is one of SIDE.

# Every target defined in dir and the directories below it.
function(_grimbolt_targets_below dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    _grimbolt_targets_below(${subdir} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Whether target links toolkit, following the libraries' link interfaces.
function(_grimbolt_links target toolkit out)
  get_target_property(pending ${target} LINK_LIBRARIES)
  if(NOT pending)
    set(pending)
  endif()
  set(seen)
  list(LENGTH pending count)
  while(count GREATER 0)
    list(POP_FRONT pending item)
    list(LENGTH pending count)
    # A static library's private dependencies reach its users wrapped in LINK_ONLY.
    if(item MATCHES "^\\$<LINK_ONLY:([^>]+)>$")
      set(item ${CMAKE_MATCH_1})
    endif()
    if(NOT TARGET "${item}" OR item IN_LIST seen)
      continue()
    endif()
    if(item STREQUAL toolkit)
      set(${out} TRUE PARENT_SCOPE)
      return()
    endif()
    list(APPEND seen ${item})
    get_target_property(interface ${item} INTERFACE_LINK_LIBRARIES)
    if(interface)
      list(APPEND pending ${interface})
      list(LENGTH pending count)
    endif()
  endwhile()
  set(${out} FALSE PARENT_SCOPE)
endfunction()

function(_grimbolt_check_window_sides toolkit)
  set(sides ${ARGN})
  list(JOIN sides ", " side_list)
  _grimbolt_targets_below(${CMAKE_SOURCE_DIR} targets)
  foreach(target IN LISTS targets)
    get_target_property(side ${target} GRIMBOLT_WINDOW_SIDE)
    if(side)
      if(NOT side IN_LIST sides)
        message(FATAL_ERROR "Target ${target} names the window side '${side}', which this build "
          "does not have; its window sides are: ${side_list}.")
      endif()
      continue()
    endif()
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "MODULE_LIBRARY")
      continue()
    endif()
    _grimbolt_links(${target} ${toolkit} links)
    if(links)
      message(FATAL_ERROR "The plug-in module ${target} links the GUI toolkit but names no window "
        "side: a module must choose the window its panel opens in. Choose one of ${side_list} "
        "and set it:\n"
        "  set_target_properties(${target} PROPERTIES GRIMBOLT_WINDOW_SIDE <side>)")
    endif()
  endforeach()
endfunction()

function(grimbolt_require_window_sides toolkit)
  # A deferred call reads its arguments when it runs: EVAL puts in their values now.
  cmake_language(EVAL CODE "cmake_language(DEFER DIRECTORY [[${CMAKE_SOURCE_DIR}]]
    CALL _grimbolt_check_window_sides ${toolkit} ${ARGN})")
endfunction()
