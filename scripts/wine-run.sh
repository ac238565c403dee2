#!/usr/bin/env bash
# Runs a Windows program under Wine on the project's private prefix (never ~/.wine).
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${VEXA_WINEPREFIX:-$here/build/wineprefix}"
# A test run in CTest's second slot (scripts/test.sh) has a prefix and a display of its own.
case "${CTEST_RESOURCE_GROUP_0_WINEPREFIX:-}" in
  id:2,*)
    export WINEPREFIX="$WINEPREFIX-2"
    [ -n "${VEXA_SECOND_DISPLAY:-}" ] && export DISPLAY="$VEXA_SECOND_DISPLAY"
    ;;
esac
export WINEDEBUG=-all
# shutdown.exe and schtasks.exe: our stand-ins replace Wine's in the prefix, and Wine would prefer its
# own built-in ones in the system folders: the one restarts the Wine session instead of recording the
# request, the other keeps no task a test could read.
export WINEDLLOVERRIDES="mscoree,mshtml=;shutdown.exe,schtasks.exe=n"
exec wine "$@"
