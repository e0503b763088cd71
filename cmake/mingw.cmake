# Cross-build for Windows with Debian's mingw-w64 (posix threading model). Included by the
# toolchain file of each target, which sets GRIMBOLT_MINGW_TRIPLET and CMAKE_SYSTEM_PROCESSOR.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${GRIMBOLT_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GRIMBOLT_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${GRIMBOLT_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${GRIMBOLT_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Test executables run under wine through this wrapper, which picks the prefix for their bitness.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
# Static libraries built for this target by scripts/setup (libpng), found before the sysroot's.
if(DEFINED ENV{XDG_CACHE_HOME})
  set(grimbolt_cache_home $ENV{XDG_CACHE_HOME})
else()
  set(grimbolt_cache_home $ENV{HOME}/.cache)
endif()
set(GRIMBOLT_MINGW_DEPS ${grimbolt_cache_home}/grimbolt/mingw-deps/${GRIMBOLT_MINGW_TRIPLET}
  CACHE PATH "Prefix of the static libraries scripts/setup builds for this target")
list(PREPEND CMAKE_FIND_ROOT_PATH ${GRIMBOLT_MINGW_DEPS})
