#!/usr/bin/env bash
# Smoke test of the Windows build: the portable zip unpacked into an empty folder runs under Wine on an X
# server of its own, on the demo installation. The window must show with the caption naming the setup given
# on the command line; Ctrl+S then Enter saves it; the saved bytes must equal those the Linux build saves
# from the same input the same way.
#
#   .ci/windows-smoke.sh ZIP LINUX_BUILD_FOLDER
# LINUX_BUILD_FOLDER holds src/app/gravelwright and demo/make_demo.
set -euo pipefail

zip=$(realpath "$1")
linux=$(realpath "$2")
repo=$(cd "$(dirname "$0")/.." && pwd)
setup=0slot1_Gravel
caption="Gravelwright - $setup"

work=$(mktemp -d /tmp/gw-windows-smoke.XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  # A program asked to close still writes its settings beside itself: let it finish before the folder goes.
  for pid in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  done
  [ -d "$work/wine" ] && WINEPREFIX="$work/wine" wineserver -k 2>/dev/null || true
  [ -n "${GW_SMOKE_KEEP:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "windows smoke test: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    echo "windows on the screen:" >&2
    xdotool search --name . getwindowname %@ 2>/dev/null | sort -u >&2 || true
  fi
  [ -f "$work/wine.log" ] && tail -n 30 "$work/wine.log" >&2
  exit 1
}
# Waits up to $1 seconds for a visible window whose whole name is $2; prints its id.
wait_window() {
  local deadline=$((SECONDS + $1)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  return 1
}
# Presses Ctrl+S in the main window, then Enter in the confirmation, and waits until the file is rewritten.
save_with_keys() {
  local main=$1 file=$2 deadline
  xdotool windowfocus --sync "$main" 2>/dev/null || xdotool windowfocus "$main"
  sleep 1
  xdotool key --clearmodifiers ctrl+s
  wait_window 30 Gravelwright >"$work/confirm" || fail "no confirmation after Ctrl+S"
  xdotool windowfocus "$(cat "$work/confirm")" 2>/dev/null || true
  sleep 0.5
  xdotool key Return
  deadline=$((SECONDS + 30))
  while [ "$(stat -c %Y "$file")" -lt 1000000000 ] && [ $SECONDS -lt $deadline ]; do sleep 0.5; done
  [ "$(stat -c %Y "$file")" -ge 1000000000 ] || fail "Ctrl+S then Enter did not save $file"
}

echo "-- the zip unpacked into an empty folder"
mkdir "$work/app"
(cd "$work/app" && unzip -q "$zip")
exe=$(find "$work/app" -name gravelwright.exe | head -n 1)
[ -n "$exe" ] || fail "no gravelwright.exe in $zip"

echo "-- demo installations for both builds"
"$linux/demo/make_demo" "$repo/demo/template" "$work/demo-linux" >/dev/null
"$linux/demo/make_demo" "$repo/demo/template" "$work/demo-windows" >/dev/null
game_windows="$work/demo-windows/drive_c/Games/Toven Rally"
for demo in demo-linux demo-windows; do
  touch -d 1990-01-01 "$work/$demo/drive_c/Games/Toven Rally/SavedGames/$setup.lsp"
done

echo "-- X server and Wine prefix"
# The X server comes first: Wine's desktop process starts with the prefix and keeps the display it found.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
exec 3>&-
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.2; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"
export WINEPREFIX="$work/wine" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
# A server that stays up: otherwise Wine's services may hold a program's output pipe after it ended.
mkdir -p "$WINEPREFIX"
wineserver -p || fail "wineserver did not start"
timeout 300 wineboot -i >/dev/null 2>&1 || fail "wineboot did not finish within 5 minutes"
# Tahoma, as every Windows has it (Debian's Wine keeps its own copy outside the prefix).
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr / '\\')"; }
# The game is a 32-bit program: its installer writes the 32-bit view, which the program reads.
timeout 120 wine reg add 'HKLM\Software\Toven Games\Toven Rally\InstallPath' /ve /d "$(winpath "$game_windows")" \
  /f /reg:32 >/dev/null 2>&1 || fail "could not register the demo installation in the Wine prefix"

echo "-- the Windows build under Wine"
wine "$exe" "$(winpath "$game_windows/SavedGames/$setup.lsp")" >"$work/wine.log" 2>&1 &
pids+=($!)
disown  # ended with its Wine server below, without a job notice
main=$(wait_window 120 "$caption") || fail "no window captioned '$caption' within two minutes"
save_with_keys "$main" "$game_windows/SavedGames/$setup.lsp"
[ -n "${GW_SMOKE_SHOTS:-}" ] && import -window root "$GW_SMOKE_SHOTS/windows-main.png"
wineserver -k || true

echo "-- the Linux build, same input, same keys"
mkdir "$work/linux-app"
cp "$linux/src/app/gravelwright" "$work/linux-app/"  # a settings file of its own, beside the copy
WINEPREFIX="$work/demo-linux" QT_QPA_PLATFORM=xcb "$work/linux-app/gravelwright" \
  "$work/demo-linux/drive_c/Games/Toven Rally/SavedGames/$setup.lsp" >"$work/linux.log" 2>&1 &
pids+=($!)
main=$(wait_window 60 "$caption") || fail "the Linux build showed no window captioned '$caption'"
save_with_keys "$main" "$work/demo-linux/drive_c/Games/Toven Rally/SavedGames/$setup.lsp"
kill "${pids[-1]}" 2>/dev/null || true

cmp "$game_windows/SavedGames/$setup.lsp" "$work/demo-linux/drive_c/Games/Toven Rally/SavedGames/$setup.lsp" ||
  fail "the Windows build saved other bytes than the Linux build"
echo "-- caption, save and saved bytes agree"
