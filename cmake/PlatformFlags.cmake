# Flags that depend on the platform, kept out of the subsystem lists.
if(WIN32)
  # SSE2 arithmetic instead of x87 keeps the 32-bit build's float rounding identical to the
  # 64-bit build's; every processor that runs a current 32-bit Windows has SSE2.
  add_compile_options(-msse2 -mfpmath=sse)
  # Link the C and C++ runtimes statically so the binaries need only Windows system DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()
