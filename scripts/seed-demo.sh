#!/usr/bin/env bash
# Gives the Wine prefix what a multi-boot Windows machine has and Wine lacks: bcdedit.exe,
# bootsect.exe, wpeutil.exe and manage-bde.exe (our stand-ins) in the system folders, with our
# shutdown.exe and schtasks.exe over Wine's, the demo boot store of a UEFI machine when the prefix
# has no firmware boot menu yet, and C:\boot.ini with C:\ntldr when they are missing. Run by
# scripts/run.sh, which exports WINEPREFIX and VEXA_BUILD; safe to run again (nothing that exists is
# overwritten except the stand-ins themselves, and a store seeded before the demo machine had a
# firmware menu).
# VEXA_DEMO_FIRMWARE=bios seeds the BIOS demo store instead, when the prefix has no store at all.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the Wine prefix}"
VEXA_BUILD="${VEXA_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}"
firmware="${VEXA_DEMO_FIRMWARE:-uefi}"
case "$firmware" in
  uefi) seeded_object='{fwbootmgr}' ;;
  bios) seeded_object='{bootmgr}' ;;
  *) echo "[vexa] VEXA_DEMO_FIRMWARE must be uefi or bios, not $firmware" >&2; exit 1 ;;
esac
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=;shutdown.exe,schtasks.exe=n}"

standins="$VEXA_BUILD/standins"
if [ ! -f "$standins/bcdedit.exe" ]; then
  echo "[vexa] no stand-ins in $standins; build first" >&2
  exit 1
fi

drive_c="$WINEPREFIX/drive_c"
# The program copies the tools from the native system folder (SysNative under WOW64 = system32 of
# the prefix); a 32-bit lookup of system32 lands in syswow64.
for folder in "$drive_c/windows/system32" "$drive_c/windows/syswow64"; do
  [ -d "$folder" ] || continue
  for tool in bcdedit bootsect wpeutil shutdown schtasks; do cp -f "$standins/$tool.exe" "$folder/$tool.exe"; done
done
# manage-bde.exe where the program asks it, in the native system folder. With no state recorded the
# system drive is not encrypted; HKLM\Software\VexaStandIns\manage-bde "C:" = "on" protects it.
cp -f "$standins/manage-bde.exe" "$drive_c/windows/system32/manage-bde.exe"

# The journal must not catch the seeding, whatever the caller's environment says.
if ! VEXA_TOOL_JOURNAL= VEXA_BCD_ROOT= wine "$standins/bcdedit.exe" /enum "$seeded_object" >/dev/null 2>&1; then
  VEXA_TOOL_JOURNAL= VEXA_BCD_ROOT= wine "$standins/bcdedit.exe" /vexa-seed-demo "$firmware" >/dev/null
  echo "[vexa] seeded the $firmware demo boot store into $WINEPREFIX" >&2
fi

if [ ! -e "$drive_c/boot.ini" ]; then
  printf '%s\r\n' \
    '[boot loader]' \
    'timeout=30' \
    'default=multi(0)disk(0)rdisk(0)partition(1)\WINDOWS' \
    '[operating systems]' \
    'multi(0)disk(0)rdisk(0)partition(1)\WINDOWS="Microsoft Windows XP Professional" /noexecute=optin /fastdetect' \
    'multi(0)disk(0)rdisk(0)partition(2)\WINDOWS="Microsoft Windows Server 2003, Enterprise" /noexecute=optout /fastdetect' \
    'C:\CMDCONS\BOOTSECT.DAT="Microsoft Windows Recovery Console" /cmdcons' \
    > "$drive_c/boot.ini"
fi
if [ ! -e "$drive_c/ntldr" ]; then
  printf 'NTLDR stand-in: the legacy loader file the demo machine carries.\r\n' > "$drive_c/ntldr"
fi

# The files the demo store's entries start from, so that its menu is a healthy one: Windows 7 on D:,
# WinPE's image and ramdisk, the VHD, the GRUB and Recovery Console boot sectors. The running
# system's own loader is not looked for.
drive_d="$WINEPREFIX/drive_d"
for file in "$drive_d/Windows/system32/winload.exe" "$drive_c/sources/boot.wim" "$drive_c/boot/boot.sdi" \
            "$drive_c/VHD/Windows8.vhd" "$drive_c/grldr.mbr" "$drive_c/CMDCONS/BOOTSECT.DAT"; do
  [ -e "$file" ] || { mkdir -p "$(dirname "$file")"; printf 'demo\r\n' > "$file"; }
done

# Let the Wine server these runs started go away: a server still alive without a display would serve
# the program's next start, which then could not open a window on the caller's display.
wineserver -w
