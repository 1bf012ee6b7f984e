#!/usr/bin/env bash
# gravelwright-cli as scripts run it: whole processes of "show" (and "diff" of two setups), next to "cat" of
# the same files, the floor of any program that reads them. Goal: within 5x of cat.
# Usage: bench/cli_bench.sh [BUILD_DIR]   (a Release build: cmake --preset or -DCMAKE_BUILD_TYPE=Release)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cli="${1:-$root/build-bench}/src/cli/gravelwright-cli"
[ -x "$cli" ] || { echo "no $cli: build the gravelwright-cli target first" >&2; exit 2; }
command -v hyperfine >/dev/null || { echo "hyperfine is missing (apt-get install hyperfine)" >&2; exit 2; }
a="$root/tests/data/real-data/setups/game-saved-1.lsp"
b="$root/tests/data/real-data/setups/game-saved-2-reindented.lsp"
args=(--warmup 20 --min-runs 200 -N --style basic)
hyperfine "${args[@]}" "cat $a" "$cli show $a" "$cli show --json $a"
if "$cli" diff --help >/dev/null 2>&1; then
  hyperfine "${args[@]}" "cat $a $b" "$cli diff $a $b" "$cli diff --json $a $b"
fi
