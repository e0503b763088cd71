#!/usr/bin/env bash
# Runs a command and checks that it succeeds and that its output matches every pattern
# (extended regular expressions, each matched against single lines).
#
#   expect-output.sh PATTERN... -- COMMAND [ARGS...]
set -uo pipefail
patterns=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do
  patterns+=("$1")
  shift
done
shift

output=$("$@" 2>&1)
status=$?
printf '%s\n' "$output"
failed=0
if [ $status != 0 ]; then
  echo "FAIL: exit code $status"
  failed=1
fi
for pattern in "${patterns[@]}"; do
  if ! grep -Eq -- "$pattern" <<<"$output"; then
    echo "FAIL: no line matches /$pattern/"
    failed=1
  fi
done
exit $failed
