#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the text core natively under the
# sanitizers with a short run of each fuzz target, then everything under Wine on a virtual display.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build_native
log "running the native tests of the text core and the fuzz smoke"
ctest --test-dir "$VEXA_NATIVE_BUILD" --timeout 120 --output-on-failure -j"$(nproc)" "$@"
build
prepare_prefix
# Two test programs run at once, each with a Wine prefix and a virtual display of its own, so that
# no registry, C: drive, single-instance mutex or screen is shared; CTest hands each test one of the
# two prefixes (resource "wineprefix", see tests/CMakeLists.txt) and scripts/wine-run.sh uses it.
second="$WINEPREFIX-2"
if [ ! -f "$second/.vexa-cjk-fonts" ]; then
  log "copying the Wine prefix for the second test slot"
  wineserver -k 2>/dev/null || true
  rm -rf "$second"
  cp -a "$WINEPREFIX" "$second"
fi
add_second_drive "$second"
cat >"$VEXA_BUILD/wine-resources.json" <<'JSON'
{"version": {"major": 1, "minor": 0},
 "local": [{"wineprefix": [{"id": "1", "slots": 1}, {"id": "2", "slots": 1}]}]}
JSON
log "running the tests"
# Wine's helper processes would inherit CTest's pipes and make every test wait for them: start the
# servers and warm them up with output going nowhere first.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  for n in $(seq 150 250); do [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break; done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  second_x=$!
  export VEXA_SECOND_DISPLAY=":$n"
  for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  wineserver -p
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
  WINEPREFIX="$2" wineserver -p
  WINEPREFIX="$2" DISPLAY="$VEXA_SECOND_DISPLAY" wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
  ctest --test-dir "$1" --timeout 120 --output-on-failure -j2 --resource-spec-file "$1/wine-resources.json" "${@:3}"
  status=$?
  wineserver -k
  WINEPREFIX="$2" wineserver -k
  kill "$second_x" 2>/dev/null
  exit $status' _ "$VEXA_BUILD" "$second" "$@"
