#!/usr/bin/env bash
# Fails when an include points up a layer (docs/architecture.md, "Layers").
#   1. A core file (one that joins gravelwright_core, or a header of one) includes no Qt header and no ui
#      header; neither do tests/core and fuzz/, which link the core only.
#   2. Folders are ranked; a file includes nothing from a folder ranked above its own. The main window
#      (editor/form_main*) ranks above the windows it opens, the program (app/) above everything.
# Which file is ui is read from the folders' CMakeLists.txt (target_sources(gravelwright_ui ...)); a header
# without a .cpp of its own is ui when it includes a Qt header.
set -euo pipefail
cd "$(dirname "$0")/.."

rank_of() {  # path below src/ -> rank
  case "$1" in
    platform/*) echo 0 ;;
    setup/*) echo 1 ;;
    widgets/*) echo 2 ;;
    editor/form_main*) echo 7 ;;
    editor/*) echo 3 ;;
    music/*) echo 4 ;;
    compare/*) echo 5 ;;
    history/*) echo 6 ;;
    cli/*) echo 7 ;;
    app/*) echo 8 ;;
    *) echo 9 ;;
  esac
}

# The .cpp files of gravelwright_ui, as folder/name.cpp.
declare -A ui_cpp=()
for cmake in src/*/CMakeLists.txt; do
  dir=$(basename "$(dirname "$cmake")")
  while read -r name; do
    ui_cpp["$dir/$name"]=1
  done < <(awk '/target_sources\(gravelwright_ui/ { on = 1 }
                on { for (i = 1; i <= NF; i++) if ($i ~ /\.cpp\)?$/) { sub(/\)$/, "", $i); print $i } }
                on && /\)/ { on = 0 }' "$cmake")
done

is_ui() {  # path below src/
  local f=$1
  [[ $f == app/* ]] && return 0
  [[ -n ${ui_cpp[${f%.*}.cpp]:-} ]] && return 0
  if [[ $f == *.h && ! -e src/${f%.h}.cpp ]]; then
    grep -qE '^#include <Q' "src/$f" && return 0
  fi
  return 1
}

failures=0
complain() {
  echo "check-layers: $1" >&2
  failures=$((failures + 1))
}

# Checks one file; $2 is its path below src/ (empty for tests and fuzz targets, which count as core).
check_file() {
  local file=$1 rel=$2 core=1 line inc
  if [[ -n $rel ]] && is_ui "$rel"; then core=0; fi
  while IFS= read -r line; do
    if [[ $line =~ ^#include\ \<(Q[A-Za-z]*)\> ]]; then
      ((core)) && complain "$file: a core file includes the Qt header <${BASH_REMATCH[1]}>"
      continue
    fi
    [[ $line =~ ^#include\ \"([a-z_]+/[A-Za-z0-9_]+\.h)\" ]] || continue
    inc=${BASH_REMATCH[1]}
    [[ -e src/$inc ]] || continue
    if ((core)) && is_ui "$inc"; then
      complain "$file: a core file includes the ui header $inc"
    fi
    if [[ -n $rel ]] && (($(rank_of "$inc") > $(rank_of "$rel"))); then
      complain "$file: includes $inc from a layer above its own"
    fi
  done < "$file"
}

for file in src/*/*.h src/*/*.cpp; do
  check_file "$file" "${file#src/}"
done
for file in tests/core/*.h tests/core/*.cpp fuzz/*.cpp; do
  [[ -e $file ]] && check_file "$file" ""
done

if ((failures)); then
  echo "check-layers: $failures include(s) point up a layer" >&2
  exit 1
fi
echo "check-layers: every include points down"
