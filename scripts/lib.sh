# Shared set-up for scripts/run and scripts/test: packages, locale, a display
# and the project's private Wine prefix. Sourced, not run.

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
# A failing test shows its output, however CTest is started.
export CTEST_OUTPUT_ON_FAILURE=1

packages=(cmake make g++ googletest python3 attr clang-tidy cppcheck
          g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 libz-mingw-w64-dev mingw-w64-tools
          wine64 xvfb xauth xdotool imagemagick locales fonts-noto-core fonts-wine zip)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

ensure_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
}

# Wine takes its ANSI code page from the locale: ar_SA gives 1256.
ensure_locale() {
    locale -a 2>/dev/null | grep -qi '^ar_SA\.utf-\?8$' ||
        as_root localedef -i ar_SA -f UTF-8 ar_SA.UTF-8
}

# A virtual X display when there is none; stopped when the script ends.
ensure_display() {
    [ -n "${DISPLAY:-}" ] && return
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    # A busy machine may take a while to start it.
    for _ in $(seq 300); do [ -e "/tmp/.X11-unix/X$n" ] && return; sleep 0.1; done
    echo "Xvfb did not open display :$n within 30 s" >&2
    return 1
}

wine_reg() { LANG=ar_SA.UTF-8 LC_ALL=ar_SA.UTF-8 "$wine" reg add "$@" /f >/dev/null 2>&1; }

# The private prefix: every window inside one virtual desktop, so windows get
# real frames without a window manager, and Arabic text in the dialog fonts.
ensure_wine_prefix() {
    mkdir -p "$root/build"
    local marker="$WINEPREFIX/.folderbackground-ready"
    if [ ! -e "$marker" ]; then
        LANG=ar_SA.UTF-8 LC_ALL=ar_SA.UTF-8 "$wine" wineboot -i >/dev/null 2>&1 || true
        wine_reg 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
        wine_reg 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768
        local link='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
        for face in Tahoma Verdana "MS Shell Dlg" "MS Shell Dlg 2"; do
            wine_reg "$link" /v "$face" /t REG_MULTI_SZ /d "NotoSansArabic-Regular.ttf,Noto Sans Arabic"
        done
        "$wineserver" -w
        touch "$marker"
    fi
    # Debian's Wine looks for its own fonts in a directory it cannot open,
    # so Marlett, which draws the caption buttons and other frame glyphs, is
    # missing unless it is in the prefix's Fonts folder, which is read on
    # every start. Here rather than above, to reach prefixes made before.
    local marlett=/usr/share/wine/fonts/marlett.ttf
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    cmp -s "$marlett" "$fonts/marlett.ttf" || cp "$marlett" "$fonts/marlett.ttf"
    # One server for the whole run instead of one per program, with its
    # services and desktop started here: started by a test instead, they would
    # hold the test's output pipe open and CTest would wait for them forever.
    "$wineserver" -p
    LANG=ar_SA.UTF-8 LC_ALL=ar_SA.UTF-8 "$wine" wineboot >/dev/null 2>&1 </dev/null || true
    LANG=ar_SA.UTF-8 LC_ALL=ar_SA.UTF-8 setsid "$wine" explorer /desktop=Default,1024x768 \
        >/dev/null 2>&1 </dev/null &
    # Until the desktop shows, or the explorer ends because one already
    # serves it; bounded for a machine busy with other work.
    local explorer=$!
    for _ in $(seq 300); do
        xdotool search --name 'Wine desktop' >/dev/null 2>&1 && return
        kill -0 "$explorer" 2>/dev/null || return 0
        sleep 0.1
    done
}

# stage NAME: ends the stage before it, printing how long it took on the clock
# and in processor time (this shell's and the children it waited for), and
# begins NAME; `stage` alone ends the last and prints them all again.
stage_summary=()
stage() {
    local now cpu
    now=$(date +%s)
    # This shell's and its waited-for children's processor ticks.
    local fields
    read -r -a fields </proc/$$/stat
    cpu=$(((fields[13] + fields[14] + fields[15] + fields[16]) / $(getconf CLK_TCK)))
    if [ -n "${stage_name:-}" ]; then
        local line
        line=$(printf '%5d s clock %5d s processor  %s' "$((now - stage_clock))" \
                   "$((cpu - stage_cpu))" "$stage_name")
        echo "-- $line"
        stage_summary+=("$line")
    fi
    stage_name="${1:-}" stage_clock=$now stage_cpu=$cpu
    if [ -n "$stage_name" ]; then
        echo "== $stage_name"
    else
        echo "== Where the time went"
        printf '%s\n' "${stage_summary[@]}"
    fi
}

# in_background LOG COMMAND...: starts COMMAND beside what follows, at the
# lowest priority, its output in LOG: it takes only the processor time that
# the work in front leaves, so that the tests there that wait on the clock see
# a machine as idle as without it. finish_background LOG waits for it, shows
# LOG and fails when it failed.
declare -A background_pids=()
in_background() {
    local log="$1"
    shift
    nice -n 19 "$@" >"$log" 2>&1 &
    background_pids[$log]=$!
}
finish_background() {
    local log="$1" pid="${background_pids[$1]}"
    unset "background_pids[$log]"
    if ! wait "$pid"; then
        cat "$log" >&2
        echo "failed: see $log" >&2
        return 1
    fi
    cat "$log"
}

cleanup() {
    local pid
    for pid in "${background_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    "$wineserver" -k >/dev/null 2>&1 || true
    [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}
