#!/usr/bin/env bash
# Builds and runs the benchmarks (not part of the test run) and prints their one table: the demo
# store's list against the bare tool runs, tool runs per user operation, and a store of many
# loaders (default 1000) against one. Exits non-zero when a figure misses its target.
#
#   bash scripts/bench.sh [loaders]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
many="${1:-1000}"
install_packages
build
cmake --build "$VEXA_BUILD" --target vexa_bench -- -j"$(nproc)"
prepare_prefix

stores="$VEXA_BUILD/bench"
mkdir -p "$stores"
/usr/bin/python3 "$VEXA_ROOT/bench/make_store.py" 1 "$stores/one.bcd"
/usr/bin/python3 "$VEXA_ROOT/bench/make_store.py" "$many" "$stores/many.bcd"
# The build folder as Wine sees it.
winpath() { printf 'Z:%s' "${1//\//\\}"; }

log "running the benchmarks (a few minutes)"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  wineserver -p
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
  wine "$1" "$2" "$3" "$4"
  status=$?
  wineserver -k
  exit $status' _ "$VEXA_BUILD/bench/vexa_bench.exe" "$(winpath "$stores/one.bcd")" "$(winpath "$stores/many.bcd")" "$many"
