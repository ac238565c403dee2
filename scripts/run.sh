#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vexa in the private Wine prefix. With a display the
# window opens there; without one Vexa starts on a virtual display, a screenshot of its main window
# is saved, and the command ends.
# The demo gets a prefix of its own, so the tests' prefix never holds its store, tools or boot.ini.
# The demo machine is a UEFI one, with the firmware's boot menu in its store (scripts/seed-demo.sh;
# VEXA_DEMO_FIRMWARE=bios in a fresh demo prefix makes it a BIOS one).
export VEXA_WINEPREFIX="${VEXA_WINEPREFIX:-${VEXA_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}/demo-prefix}"
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build
prepare_prefix

install_demo
program_dir=$(demo_program_dir)

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$program_dir/vexa.exe" "$@"
fi

shot="${VEXA_SCREENSHOT:-$VEXA_BUILD/vexa-main-window.png}"
# A server left from the seeding (or an earlier run) has no display: the window must not go there.
wineserver -k 2>/dev/null || true
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$(declare -f wait_for_main_window)"'
  wineserver -p
  wine "$1/vexa.exe" &
  wait_for_main_window || { wineserver -k; exit 1; }
  # Wine draws its windows inside one virtual-desktop window: shoot the screen, cut off the
  # task bar of the desktop (it holds our tray icon), and trim the plain desktop around the main window.
  /usr/bin/import -window root png:- |
    /usr/bin/convert png:- -gravity south -chop 0x40 +repage -fuzz 2% -trim +repage "$2"
  wineserver -k
  ' _ "$program_dir" "$shot"
log "no display: Vexa started on a virtual display; screenshot of its main window: $shot"
