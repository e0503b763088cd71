# Every target of ours builds warning-free with -Wall -Wextra on g++ and mingw-w64.
function(grimbolt_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wnon-virtual-dtor)
endfunction()
