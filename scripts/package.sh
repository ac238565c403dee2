#!/usr/bin/env bash
# Builds the portable package dist/vexa-<release>-win32.zip: vexa.exe, Language\*.ini, ReadMe.txt
# and LICENSE.txt. Configures again first, so the build number is today's date.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages
build
cmake "$VEXA_BUILD" >/dev/null
cmake --build "$VEXA_BUILD" --target vexa_package -- -j"$(nproc)"
ls -l "$VEXA_ROOT"/dist/vexa-*-win32.zip
