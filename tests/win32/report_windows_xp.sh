#!/usr/bin/env bash
# Makes Wine report Windows XP (x64) to the named programs alone, in the
# project's prefix: the rest of the suite keeps Wine's default version.
# Usage: report_windows_xp.sh PROGRAM.exe...
set -euo pipefail
run="$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-run"
for program in "$@"; do
    "$run" reg add "HKCU\\Software\\Wine\\AppDefaults\\$program" /v Version /d winxp64 /f >/dev/null
    "$run" reg query "HKCU\\Software\\Wine\\AppDefaults\\$program" /v Version | grep -q winxp64
done
echo "1 passed, 0 failed"
