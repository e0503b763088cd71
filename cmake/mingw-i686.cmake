# Cross-build for 32-bit Windows with Debian's mingw-w64 (posix threading model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test executables run under wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
# Static libraries built for this target by scripts/setup (libpng), found before the sysroot's.
if(DEFINED ENV{XDG_CACHE_HOME})
  set(grimbolt_cache_home $ENV{XDG_CACHE_HOME})
else()
  set(grimbolt_cache_home $ENV{HOME}/.cache)
endif()
set(GRIMBOLT_MINGW_DEPS ${grimbolt_cache_home}/grimbolt/mingw-deps/i686-w64-mingw32
  CACHE PATH "Prefix of the static libraries scripts/setup builds for this target")
list(PREPEND CMAKE_FIND_ROOT_PATH ${GRIMBOLT_MINGW_DEPS})
