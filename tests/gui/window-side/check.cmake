# Configures the stand-in build in stand-in/ with the plug-in module naming no window side, a
# side the build has and one it lacks; only the second may configure.
#   cmake -DSTAND_IN=<dir> -DWORK=<dir> -DGRIMBOLT_CMAKE_DIR=<dir> -P check.cmake
function(configure name)
  file(REMOVE_RECURSE ${WORK}/${name})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${STAND_IN} -B ${WORK}/${name} -DGRIMBOLT_CMAKE_DIR=${GRIMBOLT_CMAKE_DIR} ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  set(result ${result} PARENT_SCOPE)
  set(output "${output}" PARENT_SCOPE)
endfunction()

configure(no-side)
if(result EQUAL 0 OR NOT output MATCHES "plug-in module plugin links the GUI toolkit but names no window"
    OR output MATCHES "module loader")
  message(FATAL_ERROR "A module without a window side must stop the configuration, and only it:\n${output}")
endif()

configure(side -DPLUGIN_SIDE=side)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "A module that names its window side must configure:\n${output}")
endif()

configure(unknown-side -DPLUGIN_SIDE=elsewhere)
if(result EQUAL 0 OR NOT output MATCHES "names the window side 'elsewhere', which this build")
  message(FATAL_ERROR "A window side the build lacks must stop the configuration:\n${output}")
endif()
