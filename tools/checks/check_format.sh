#!/usr/bin/env bash
# Checks that C++ sources follow the repository's .clang-format. With no arguments it checks every
# tracked .cpp and .h file; with arguments, those files. Exit 1 and the offending files when any
# would change.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v clang-format >/dev/null; then
  echo "format check: clang-format is not installed" >&2
  exit 1
fi
if [ $# -gt 0 ]; then
  files=("$@")
else
  cd "$top"
  mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null)
fi
bad=()
for f in "${files[@]}"; do
  [ -f "$f" ] || continue
  if ! clang-format --style=file:"$top/.clang-format" --dry-run --Werror "$f" >/dev/null 2>&1; then
    bad+=("$f")
  fi
done
if [ ${#bad[@]} -gt 0 ]; then
  printf '%s\n' "${bad[@]}"
  echo "format check: ${#bad[@]} file(s) differ from .clang-format (run clang-format -i on them)"
  exit 1
fi
echo "format check: ${#files[@]} files follow .clang-format"
