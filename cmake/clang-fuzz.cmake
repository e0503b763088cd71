# The fuzz build: clang, whose libFuzzer and sanitizers instrument every target, with the
# libpng that scripts/setup builds with the same instrumentation found before the system's.
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
if(DEFINED ENV{XDG_CACHE_HOME})
  set(grimbolt_cache_home $ENV{XDG_CACHE_HOME})
else()
  set(grimbolt_cache_home $ENV{HOME}/.cache)
endif()
set(GRIMBOLT_FUZZ_DEPS ${grimbolt_cache_home}/grimbolt/fuzz-deps
  CACHE PATH "Prefix of the instrumented static libraries scripts/setup builds for fuzzing")
list(PREPEND CMAKE_PREFIX_PATH ${GRIMBOLT_FUZZ_DEPS})
