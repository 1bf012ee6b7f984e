#!/usr/bin/env bash
# Builds Qt 6 (QtBase: Core, Gui, Widgets, Test) for 64-bit Windows with MinGW-w64, from Debian's own Qt source,
# so that the Windows build uses the same Qt version as the host tools (moc, rcc, uic) of qt6-base-dev-tools.
# Shared libraries: the program ships Qt's DLLs beside it, and players may replace them.
#
# The result goes to ~/.cache/gravelwright/qt-<version>-mingw (or $GW_QT_CACHE/qt-<version>-mingw) and is reused
# when present. Prints the install folder as the last line of its output.
#
# Usage: scripts/build-qt-windows.sh [--print-prefix]
#   --print-prefix  only print where the build is (or would be) installed, build nothing
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=${GW_JOBS:-$(nproc)}

say() { printf '== %s\n' "$*" >&2; }
fail() {
  printf 'build-qt-windows: %s\n' "$*" >&2
  exit 1
}

version=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2>/dev/null || true)
[ -n "$version" ] || fail "qt6-base-dev-tools is not installed; run scripts/install-deps.sh first (the Windows Qt
must match the host tools moc, rcc and uic)."
upstream=${version#*:}
upstream=${upstream%%+*}
upstream=${upstream%%-*}

cache=${GW_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/gravelwright}
prefix=$cache/qt-$upstream-mingw
stamp=$prefix/.gravelwright-complete

if [ "${1:-}" = "--print-prefix" ]; then
  echo "$prefix"
  exit 0
fi

if [ -f "$stamp" ]; then
  say "Qt $upstream for MinGW already built in $prefix"
  echo "$prefix"
  exit 0
fi

command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
  fail "x86_64-w64-mingw32-g++-posix is missing; install g++-mingw-w64-x86-64 (scripts/install-deps.sh)."
command -v dpkg-source >/dev/null || fail "dpkg-source is missing; install dpkg-dev."
command -v ninja >/dev/null || fail "ninja is missing; install ninja-build."
command -v perl >/dev/null || fail "perl is missing (Qt's header generator needs it)."

work=$cache/qt-$upstream-mingw-build
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work/apt"' EXIT

# A private apt configuration with source entries derived from the archives this machine already uses; the
# system's apt setup is left as it is.
say "looking up Debian's source of qt6-base $version"
apt=$work/apt
mkdir -p "$apt/sources.list.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/preferences.d"
: >"$apt/sources.list"
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >>"$apt/sources.list"
done
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  # deb822 stanzas: keep those that are binary archives, turned into source archives.
  awk 'BEGIN { RS = ""; ORS = "\n\n" }
       /(^|\n)Types:[^\n]*deb([ \t\n]|$)/ && !/(^|\n)Enabled:[ \t]*no/ {
         sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f" \
    >"$apt/sources.list.d/$(basename "$f")"
done
grep -qs . "$apt/sources.list" "$apt"/sources.list.d/* ||
  fail "found no Debian archive in /etc/apt/sources.list or /etc/apt/sources.list.d to fetch Qt's source from."

aptopts=(
  -o "Dir::Etc::SourceList=$apt/sources.list"
  -o "Dir::Etc::SourceParts=$apt/sources.list.d"
  -o "Dir::Etc::Preferences=$apt/preferences"
  -o "Dir::Etc::PreferencesParts=$apt/preferences.d"
  -o "Dir::State::Lists=$apt/lists"
  -o "Dir::Cache=$apt/cache"
  -o "Debug::NoLocking=1"
  -o "APT::Sandbox::User=$(id -un)"
)
if ! apt-get "${aptopts[@]}" update -q >"$work/apt-update.log" 2>&1; then
  cat "$work/apt-update.log" >&2
  fail "could not read the source index of the Debian archive (network or archive down?)."
fi
mkdir -p "$work/src"
if ! (cd "$work/src" && apt-get "${aptopts[@]}" source -q "qt6-base=$version") >"$work/apt-source.log" 2>&1; then
  cat "$work/apt-source.log" >&2
  fail "could not fetch the source of qt6-base $version from the Debian archive. It must be the version of the
installed qt6-base-dev-tools; if the archive moved on, update the host Qt first (apt-get install qt6-base-dev-tools)."
fi
src=$(find "$work/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base*' | head -n 1)
[ -n "$src" ] && [ -x "$src/configure" ] || fail "the fetched qt6-base source has no configure script."

say "configuring Qt $upstream for x86_64-w64-mingw32 (install folder $prefix)"
# Only what Gravelwright uses. The Debian tarball lacks the Windows tablet library, hence no tablet events;
# the offscreen platform (used by the tests) needs FreeType, which Qt brings along.
mkdir -p "$work/build"
cd "$work/build"
"$src/configure" \
  -prefix "$prefix" \
  -xplatform win32-g++ \
  -qt-host-path /usr \
  -release -shared -opensource -confirm-license \
  -nomake examples -nomake tests -nomake benchmarks \
  -no-feature-tabletevent \
  -qt-freetype -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz \
  -no-opengl -no-dbus -no-icu \
  -no-feature-sql -no-feature-network -no-feature-printsupport -no-feature-concurrent -no-feature-xml \
  -- \
  -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-w64.cmake" \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQt6HostInfo_DIR=/usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo \
  2>&1 | tee "$work/configure.log" | grep -E '^(--|CMake Error|ERROR|Configure summary|Qt is now configured)' >&2 ||
  true
[ -f build.ninja ] || {
  tail -n 60 "$work/configure.log" >&2
  fail "configuring Qt failed; the whole log is in $work/configure.log"
}

say "building Qt with $jobs jobs (takes 10-20 minutes on two cores)"
cmake --build . --parallel "$jobs"
say "installing into $prefix"
rm -rf "$prefix"
cmake --install . >/dev/null
touch "$stamp"
cd /
rm -rf "$work"
say "Qt $upstream for MinGW is in $prefix"
echo "$prefix"
