#!/usr/bin/env bash
# Screenshots for the README: starts the demo as scripts/run.sh does, once per language, and shoots
# each page: the OS list, Utilities, Bootloader, Firmware, About, the entry dialog (both its settings tabs)
# and the config dialog; then the ramdisk options, shortcut and partition dialogs.
# English goes to docs/<page>.png, the other languages to docs/<page>-<code>.png; the pages at
# 144 DPI, in English, to docs/<page>-144.png.
# Usage: bash scripts/screenshots.sh [language codes...]   (default: 409 407 804 404)
export VEXA_WINEPREFIX="${VEXA_WINEPREFIX:-${VEXA_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}/demo-prefix}"
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build
prepare_prefix
install_demo
program_dir=$(demo_program_dir)
docs="$VEXA_ROOT/docs"
mkdir -p "$docs"
codes=("$@")
[ ${#codes[@]} -gt 0 ] || codes=(409 407 804 404)

# The language is chosen the way the config dialog stores it: key Lang of section Tavro of the
# settings file. Other settings of the demo stay as they are.
choose_language() {
  local settings="$program_dir/wmast.dll"
  if [ -f "$settings" ] && grep -qa '^Lang=' "$settings"; then
    sed -i "s/^Lang=[^\r]*/Lang=$1/" "$settings"
  elif [ -f "$settings" ] && grep -qa '^\[Tavro\]' "$settings"; then
    sed -i "s/^\[Tavro\]\r\?$/&\nLang=$1\r/" "$settings"
  else
    printf '[Tavro]\r\nLang=%s\r\n' "$1" >>"$settings"
  fi
}

# One session on a virtual display: starts Vexa, shoots the pages (and with "all" the dialogs too)
# into docs/<page><suffix>.png. Clicks are given in dialog units of the main window template
# (385 x 265, Tahoma 8), converted with the pixels a unit takes across and down at the prefix's DPI
# (fractions x_num/x_den and y_num/y_den) and the client area's height in pixels.
session='
  set -u
  program_dir=$1 docs=$2 suffix=$3 x_num=$4 x_den=$5 y_num=$6 y_den=$7 client_height=$8 which=$9
  wineserver -p
  wine "$program_dir/vexa.exe" &
  wait_for_main_window || { wineserver -k; exit 1; }
  # Where the window is, from the screen itself: inside the virtual desktop xdotool reports
  # positions that are off. The main window is the only thing on the plain desktop.
  read -r X Y WIDTH HEIGHT < <(/usr/bin/import -window root png:- |
    /usr/bin/convert png:- -gravity south -chop 0x40 +repage -fuzz 2% -trim -format "%X %Y %w %h" info:)
  X=${X#+} Y=${Y#+}
  # The client area starts below the caption.
  left=$X top=$((Y + HEIGHT - client_height))
  click() {  # x y [seconds to wait] in dialog units of the main window
    xdotool mousemove $((left + $1 * x_num / x_den)) $((top + $2 * y_num / y_den)) click 1
    sleep "${3:-1.5}"
  }
  shoot() {
    # The pointer off the windows: no tooltip or hover look in the picture.
    xdotool mousemove $((left - 20)) $((top - 40)); sleep 0.5
    # Wine draws its windows inside one virtual-desktop window: shoot the screen, cut off the
    # desktop task bar and trim the plain desktop around the windows.
    /usr/bin/import -window root png:- |
      /usr/bin/convert png:- -gravity south -chop 0x40 +repage -fuzz 2% -trim +repage "$docs/$1$suffix.png"
  }
  shoot oslist
  click 35 204; shoot utilities
  click 35 144; shoot bootloader
  click 35 174; shoot firmware
  if [ "$which" != all ]; then
    click 35 234; shoot about
    wineserver -k
    exit 0
  fi
  click 35 114
  # The second entry (the first is the boot manager), then "Modify it" on the OS list page (the
  # page sits at 72,37 of the main window).
  click $((72 + 60)) $((37 + 52)); click $((72 + 87)) $((37 + 127)); shoot entry
  # Its second tab, the advanced settings: the dialog is centred as the main window is, so the
  # tab is at the same place over it in every language.
  xdotool mousemove $((X + 225)) $((Y + 122)) click 1; sleep 1; shoot entry-advanced
  xdotool key Escape; sleep 1
  click 374 8; shoot config
  xdotool key Escape; sleep 1
  click 35 234; shoot about
  # A click on it closes the about page. The dialogs the pages open: the WinPE entry (fourth row)
  # with its ramdisk options, the shortcut dialog (the "+" of the Utilities page) and the
  # partition dialog (a Bootloader option, then "Update Record").
  click 192 110
  click $((72 + 60)) $((37 + 71)); click $((72 + 87)) $((37 + 127)) 3; shoot entry-ramdisk
  # Its "..." beside the ramdisk options, at the same place over the main window in every language.
  xdotool mousemove $((X + 466)) $((Y + 330)) click 1; sleep 2; shoot ramdisk
  xdotool key Escape; sleep 1; xdotool key Escape; sleep 1
  click 35 204; click $((72 + 256)) $((37 + 15)); shoot shortcut
  xdotool key Escape; sleep 1
  click 35 144; click $((72 + 26)) $((37 + 139)); click $((72 + 261)) $((37 + 166)); shoot partition
  xdotool key Escape; sleep 1
  wineserver -k
'

# A server left from the seeding has no display: the windows must not go there.
wineserver -k 2>/dev/null || true
for code in "${codes[@]}"; do
  choose_language "$code"
  suffix=$([ "$code" = 409 ] && echo "" || echo "-$code")
  log "screenshots in language $code"
  # At 96 DPI a unit is 3/2 pixels across and 13/8 down; the client area is 431 pixels high.
  xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$(declare -f wait_for_main_window)$session" _ \
    "$program_dir" "$docs" "$suffix" 3 2 13 8 431 all
done

# The pages again at 150% (144 DPI), in English: docs/<page>-144.png. The DPI is the prefix's
# display setting, read when the server starts; it is set back to 96 afterwards. A unit is then
# 9/4 pixels across and 19/8 down, the client area 629 pixels high.
choose_language 409
log "screenshots at 144 DPI"
set_dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; wineserver -w; }
set_dpi 144
status=0
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c "$(declare -f wait_for_main_window)$session" _ \
  "$program_dir" "$docs" -144 9 4 19 8 629 pages || status=$?
set_dpi 96
[ "$status" -eq 0 ] || exit "$status"
log "screenshots in $docs"
