#!/usr/bin/env bash
# Installs the built tree under a temporary prefix and checks what a user or another program gets:
# the program and every library it loads resolve from the prefix alone, the shipped libraries'
# public headers compile on their own and link against the installed libraries, and the desktop
# entry is valid and names the installed program and icon.
#   check_install.sh BUILD_DIR
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/vantrel share/applications/vantrel.desktop share/icons/hicolor/scalable/apps/vantrel.svg \
         include/msgdesk/Msgdesk.h include/sheetwright/Sheetwright.h include/formshift/CFileConverter.h; do
  [ -e "$prefix/$f" ] || { echo "FAIL: $f is not installed"; exit 1; }
done

# The program's libraries come from the prefix, found through its own run path.
deps=$(env -u LD_LIBRARY_PATH ldd "$prefix/bin/vantrel")
if grep -q "not found" <<<"$deps"; then echo "FAIL: unresolved libraries"; echo "$deps"; exit 1; fi
for lib in msgdesk sheetwright formshift; do
  grep -q "lib$lib.so => $prefix/" <<<"$deps" || { echo "FAIL: lib$lib.so not loaded from the prefix"; exit 1; }
done

# A program of someone else's builds against the installed headers and libraries only.
cat >"$prefix/use.cpp" <<'CPP'
#include "formshift/CFileConverter.h"
#include "msgdesk/Msgdesk.h"
#include "sheetwright/Sheetwright.h"
int main() { return 0; }
CPP
c++ -std=c++17 -I"$prefix/include" "$prefix/use.cpp" -o "$prefix/use" -L"$prefix/lib" \
    -Wl,-rpath,"$prefix/lib" -Wl,--no-as-needed -lmsgdesk -lsheetwright -lformshift
"$prefix/use"

if command -v desktop-file-validate >/dev/null 2>&1; then
  desktop-file-validate "$prefix/share/applications/vantrel.desktop"
fi
grep -qx "Exec=vantrel" "$prefix/share/applications/vantrel.desktop"
grep -qx "Icon=vantrel" "$prefix/share/applications/vantrel.desktop"
echo "install tree OK"
