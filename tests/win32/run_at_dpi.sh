#!/usr/bin/env bash
# Runs the real window's tests again with the system at another DPI, in a
# prefix of its own, so that scaling the window, its controls and its
# artwork is tested too. Usage: run_at_dpi.sh DPI WIN32_TESTS PROGRAM SCRATCH SHOTS
set -euo pipefail
dpi=$1 tests=$2 program=$3 scratch=$4 shots=$5
# Most steps here are quiet: a failing one says which it was.
trap 'echo "run_at_dpi.sh: line $LINENO: \"$BASH_COMMAND\" failed with status $?" >&2' ERR
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
export WINEPREFIX="$root/build/wineprefix-$dpi"
export LANG=ar_SA.UTF-8 LC_ALL=ar_SA.UTF-8

ensure_wine_prefix
marker="$WINEPREFIX/.dpi-$dpi"
if [ ! -e "$marker" ]; then
    wine_reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
    "$wineserver" -k
    "$wineserver" -w
    touch "$marker"
    ensure_wine_prefix
fi
trap '"$wineserver" -k >/dev/null 2>&1 || true' EXIT
"$wine" "$tests" --gtest_filter='ProgramWindow.*' "--program=$program" "--scratch=$scratch" \
    "--shots=$shots"
