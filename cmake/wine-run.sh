#!/bin/sh
# Runs a Windows test program under Wine for ctest and test discovery. On a machine whose Wine was just set
# up, Wine now and then fails to start a program at all: it exits non-zero before the program printed a
# line. A test program always prints (its first line names its main), so a silent failure is retried; a
# test that ran and failed is reported as it is.
out=$(mktemp) || exit 1
trap 'rm -f "$out"' EXIT
attempt=1
while :; do
  wine "$@" >"$out"
  rc=$?
  if [ "$rc" -eq 0 ] || [ -s "$out" ] || [ "$attempt" -ge 3 ]; then
    cat "$out"
    exit "$rc"
  fi
  echo "wine-run: Wine did not start $1 (exit $rc, no output); trying again" >&2
  attempt=$((attempt + 1))
  sleep 1
done
