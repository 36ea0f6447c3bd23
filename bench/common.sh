# Shared set-up of the bench scripts. They build in a folder of their own and
# run Wine in a prefix and on a display of their own, so a benchmark never
# disturbs the build, prefix or display that the tests are using. Sourced.

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
bench_build="$root/build/bench-windows"
bench_data="$root/build/bench"
# lib.sh names the tests' prefix; ours replaces it before any Wine runs.
export WINEPREFIX="$root/build/bench-wineprefix"
# No Mono or Gecko installer dialog while the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
packages+=(libjpeg-turbo-progs)

# Builds FolderBackground and every bench program, then starts a display and
# the Wine prefix, both stopped when the script ends.
bench_setup() {
    cd "$root"
    ensure_packages
    ensure_locale
    cmake -S "$root" -B "$bench_build" \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
    cmake --build "$bench_build" -j "$(nproc)" --target benchmarks >/dev/null
    trap cleanup EXIT
    unset DISPLAY
    ensure_display
    ensure_wine_prefix
    mkdir -p "$bench_data"
}

# A Linux path as Windows programs under Wine see it.
windows_path() {
    local path
    path="$(realpath "$1")"
    echo "Z:${path//\//\\}"
}

# Runs a bench program under Wine; its figures go to stdout without the CRs.
run_bench() {
    local program="$1"
    shift
    "$root/scripts/wine-run" "$bench_build/bench/$program.exe" "$@" | tr -d '\r'
}

# The 6000 x 4000 JPEG the preview figures are measured with.
bench_photo() {
    local photo="$bench_data/photo-6000x4000.jpg"
    if [ ! -e "$photo" ]; then
        # A smooth fractal scaled up, with grain, stands in for a photograph.
        convert -seed 7 -size 1500x1000 plasma:fractal -resize 6000x4000\! \
            -attenuate 0.4 +noise Gaussian -quality 90 "$photo.tmp.jpg"
        mv "$photo.tmp.jpg" "$photo"
    fi
    echo "$photo"
}

# The same photograph 1,000 pixels across, as a camera's or a web page's
# smaller copy.
bench_small_photo() {
    local photo="$bench_data/photo-1000x667.jpg" large
    large="$(bench_photo)"
    if [ ! -e "$photo" ]; then
        convert "$large" -resize 1000x667\! -quality 90 "$photo.tmp.jpg"
        mv "$photo.tmp.jpg" "$photo"
    fi
    echo "$photo"
}

# Preview figures: the window's loader under Wine beside libjpeg-turbo's
# djpeg (native) decoding the same file at 1/8 scale and at full size.
preview_figures() {
    local repetitions="$1" photo ours
    photo="$(bench_photo)"
    ours=$(run_bench preview_bench "$(windows_path "$photo")" "$repetitions")
    echo "preview_repetitions $repetitions"
    echo "$ours"
    python3 - "$photo" "$repetitions" "$(echo "$ours" | awk '/^preview_ms_median/ {print $2}')" <<'PY'
import statistics, subprocess, sys, time
photo, n, ours = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])

def median_ms(*scale):
    times = []
    for _ in range(n):
        start = time.perf_counter()
        subprocess.run(["djpeg", *scale, "-outfile", "/dev/null", photo], check=True)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times)

eighth = median_ms("-scale", "1/8")
full = median_ms()
print(f"djpeg_scale_1_8_ms_median {eighth:.1f}")
print(f"djpeg_full_size_ms_median {full:.1f}")
print(f"ratio_preview_to_djpeg {ours / eighth:.2f}")
print(f"ratio_preview_to_djpeg_full_size {ours / full:.2f}")
PY
}
