# Shared steps of the run and test commands: install what is missing, configure and build, prepare
# the private Wine prefix. Sourced, not run.
set -euo pipefail

VEXA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VEXA_BUILD="${VEXA_BUILD:-$VEXA_ROOT/build}"
VEXA_NATIVE_BUILD="$VEXA_BUILD/native"
export WINEPREFIX="${VEXA_WINEPREFIX:-$VEXA_BUILD/wineprefix}"
export VEXA_WINEPREFIX="$WINEPREFIX"
export WINEDEBUG=-all
# shutdown.exe and schtasks.exe: our stand-ins replace Wine's in the prefix, and Wine would prefer its
# own built-in ones in the system folders: the one restarts the Wine session instead of recording the
# request, the other keeps no task a test could read.
export WINEDLLOVERRIDES="mscoree,mshtml=;shutdown.exe,schtasks.exe=n"

# Every package is named: recommends are not installed (they would pull in ghostscript, printing,
# sound and more). libclang-rt-14-dev, which holds the sanitizer and fuzzer runtimes of the native
# build, is only recommended by clang-14, so it is named too. Wine's X11 driver loads the X extension libraries at run time, for the 32-bit
# half too, so they are named for both architectures.
VEXA_PACKAGES=(cmake ninja-build g++-mingw-w64-i686 binutils-mingw-w64-i686 googletest
               clang-14 libclang-rt-14-dev llvm-14
               wine wine32:i386 wine64 fonts-wine fonts-wqy-microhei xvfb xauth imagemagick xdotool
               libxrender1 libxrender1:i386 libxcursor1 libxcursor1:i386 libxrandr2 libxrandr2:i386
               libxi6 libxi6:i386 libxinerama1 libxinerama1:i386 libxcomposite1 libxcomposite1:i386
               libxfixes3 libxfixes3:i386 libxxf86vm1 libxxf86vm1:i386)

log() { printf '[vexa] %s\n' "$*" >&2; }

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

install_packages() {
  local missing=()
  for package in "${VEXA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  # Wine's 32-bit half comes from the i386 architecture.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then as_root dpkg --add-architecture i386; fi
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build() {
  if [ ! -f "$VEXA_BUILD/build.ninja" ]; then
    cmake -S "$VEXA_ROOT" -B "$VEXA_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$VEXA_ROOT/cmake/mingw-i686.cmake" >/dev/null
  fi
  cmake --build "$VEXA_BUILD" -- -j"$(nproc)"
}

# The text core a second time, natively with clang and the sanitizers: its tests and fuzz targets.
build_native() {
  if [ ! -f "$VEXA_NATIVE_BUILD/build.ninja" ]; then
    CC=clang-14 CXX=clang++-14 cmake -S "$VEXA_ROOT/native" -B "$VEXA_NATIVE_BUILD" -G Ninja \
      -DCMAKE_BUILD_TYPE=Debug >/dev/null
  fi
  cmake --build "$VEXA_NATIVE_BUILD" -- -j"$(nproc)"
}

prepare_prefix() {
  local stamp="$WINEPREFIX/.vexa-prefix-ready"
  [ -f "$stamp" ] || make_prefix "$stamp"
  add_second_drive "$WINEPREFIX"
  install_cjk_font
}

# Chinese texts need a CJK font, and Wine's own fonts have none. It is linked to the faces the
# dialogs are drawn in, so that a control falls back to it for the characters its face lacks.
install_cjk_font() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc
  local stamp="$WINEPREFIX/.vexa-cjk-fonts"
  [ -f "$stamp" ] && return 0
  log "installing the CJK font into $WINEPREFIX"
  cp "$font" "$fonts/"
  # Wine looks links up by the face's full name, so the bold face (captions, section titles) needs
  # its own.
  for face in Tahoma "Tahoma Bold" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Segoe UI"; do
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
      /t REG_MULTI_SZ /d 'wqy-microhei.ttc,WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  # Edit controls draw through Uniscribe, whose fallback asks for the Windows CJK faces by name.
  for face in "Microsoft YaHei" "Microsoft JhengHei" SimSun NSimSun "MS Song" PMingLiU MingLiU "MS Mincho" \
              "MS Gothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
  done
  wineserver -w
  touch "$stamp"
}

make_prefix() {
  local stamp="$1"
  log "preparing the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  # Without Wine's own Tahoma, dialogs fall back to a wider font.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  # A virtual desktop gives windows captions in screenshots and spares the wait for a window manager.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
  # Report Windows 10, as the program's manifest expects.
  wine winecfg -v win10 >/dev/null 2>&1
  wineserver -w
  touch "$stamp"
}

# A multi-boot machine has more than one partition: D: is a folder of the prefix, as C: is.
add_second_drive() {
  mkdir -p "$1/drive_d"
  [ -e "$1/dosdevices/d:" ] || ln -s ../drive_d "$1/dosdevices/d:"
}

# The demo: Vexa installed in its prefix as on a user's machine, beside a seeded boot store.
# Inside a virtual display: waits until Vexa's main window is shown (it exists, unmapped, while
# the OS list page reads the store), then a second for it to settle; false after two minutes.
wait_for_main_window() {
  local window=""
  for _ in $(seq 1 600); do
    window=$(xdotool search --onlyvisible --name "^Vexa$" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
  done
  if [ -z "$window" ]; then echo "[vexa] the main window did not appear" >&2; return 1; fi
  sleep 1
}

demo_program_dir() { printf '%s\n' "$WINEPREFIX/drive_c/Program Files (x86)/Vexa"; }

install_demo() {
  local program_dir
  program_dir=$(demo_program_dir)
  mkdir -p "$program_dir/Language"
  cp "$VEXA_BUILD/vexa.exe" "$program_dir/"
  cp -r "$VEXA_ROOT/lang/." "$program_dir/Language/"
  "$VEXA_ROOT/scripts/seed-demo.sh"
}
