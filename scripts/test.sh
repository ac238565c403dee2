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
log "running the tests"
# Wine's helper processes would inherit CTest's pipes and make every test wait for them: start the
# server and warm it up with output going nowhere first.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  wineserver -p
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
  ctest --test-dir "$1" --timeout 120 --output-on-failure -j1 "${@:2}"
  status=$?
  wineserver -k
  exit $status' _ "$VEXA_BUILD" "$@"
