#!/usr/bin/env bash
# Checks that a Linux plug-in module shows hosts only its two entry points and needs nothing
# at load time beyond the C and C++ runtimes, the panel's libpng and cairo, and Xlib for its
# window, so it loads on any machine with them.
#
#   check-elf-plugin.sh NM READELF grimbolt.so
set -euo pipefail
export LC_ALL=C  # a fixed sort order and untranslated tool output
nm=$1 readelf=$2 module=$3
failed=0

exports=$("$nm" -D --defined-only "$module" | awk '{ print $3 }' | sort | tr '\n' ' ')
if [ "$exports" != "VSTPluginMain main " ]; then
  echo "FAIL: $module exports [${exports% }], expected [VSTPluginMain main]"
  failed=1
fi

allowed_libraries='^(libc\.so\.6|libm\.so\.6|libstdc\+\+\.so\.6|libgcc_s\.so\.1|ld-linux-x86-64\.so\.2|libpng16\.so\.16|libcairo\.so\.2|libX11\.so\.6)$'
while read -r library; do
  if ! [[ $library =~ $allowed_libraries ]]; then
    echo "FAIL: $module needs $library"
    failed=1
  fi
done < <("$readelf" -d "$module" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')

# Strong undefined symbols must come from the runtimes' or libpng's versioned symbol sets, or
# be cairo's or Xlib's (which version none); weak ones may stay unresolved without stopping
# the load.
while read -r kind symbol; do
  if [ "$kind" = U ] && ! [[ $symbol =~ @(GLIBC|GLIBCXX|CXXABI|GCC|PNG16)_[0-9.]+$ || $symbol =~ ^cairo_[a-z0-9_]+$ || $symbol =~ ^_?X[A-Za-z0-9]+$ ]]; then
    echo "FAIL: $module needs $symbol, which no runtime library provides"
    failed=1
  fi
done < <("$nm" -D --undefined-only "$module" | awk '{ print $(NF-1), $NF }')

[ $failed = 0 ] && echo "OK: $module exports VSTPluginMain and main and needs only the runtimes, libpng, cairo and Xlib"
exit $failed
