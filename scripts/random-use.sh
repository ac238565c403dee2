#!/usr/bin/env bash
# Builds, then lets the random user of the RandomUse test loose on the main window for N actions
# (default 20000) on a virtual display: bash scripts/random-use.sh [N] [seed]
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
export VEXA_RANDOM_ACTIONS="${1:-20000}"
[ -n "${2:-}" ] && export VEXA_RANDOM_SEED="$2"
install_packages
build
prepare_prefix
log "running $VEXA_RANDOM_ACTIONS random actions"
# As scripts/test.sh: the servers started and warmed up first, with output going nowhere.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
  wineserver -p
  wine cmd.exe /c exit >/dev/null 2>&1 </dev/null
  wine "$1/tests/vexa_random_use.exe"
  status=$?
  wineserver -k
  exit $status' _ "$VEXA_BUILD"
