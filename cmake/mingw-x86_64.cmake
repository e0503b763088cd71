# Cross-build for 64-bit Windows, for the hosts that load only 64-bit plug-ins.
set(GRIMBOLT_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
