#!/usr/bin/env python3
"""Writes docs/performance.md from the figures bench/run-all collected.

Usage: write_performance.py FIGURES OUTPUT DATE CPU CORES MEMORY WINE GCC
"""
import argparse

parser = argparse.ArgumentParser()
for name in ("figures", "output", "date", "cpu", "cores", "memory", "wine", "gcc"):
    parser.add_argument(name)
machine = parser.parse_args()

figures = {}
for line in open(machine.figures):
    parts = line.split()
    if len(parts) == 2:
        figures[parts[0]] = parts[1]
f = {k: float(v) for k, v in figures.items() if v.replace(".", "", 1).isdigit()}

def ms(x): return f"{x:,.0f} ms" if x >= 100 else f"{x:.1f} ms"
def us(x): return f"{x:,.0f} µs"
def mib(x): return f"{x:.1f} MiB"
def size(x): return f"{x:,.0f} bytes"
def ratio(a, b): return f"{a / b:.2f}"

rows = [
    (f"Start-up to the end of the first paint (median of {f['startup_runs']:.0f})",
     ms(f["startup_ms_median"]), ms(f["startup_bare_window_ms_median"]),
     "bare Win32 window (bench/bare_window.cpp)",
     ratio(f["startup_ms_median"], f["startup_bare_window_ms_median"])),
    ("Start-up of the bare window with one themed edit box (the same median)",
     ms(f["startup_bare_window_with_box_ms_median"]), ms(f["startup_bare_window_ms_median"]),
     "bare Win32 window",
     ratio(f["startup_bare_window_with_box_ms_median"], f["startup_bare_window_ms_median"])),
    (f"Folder box, per keystroke, twelve-line Desktop.ini of {f['reader_twelve_lines_bytes']:.0f} bytes"
     f" (median of {f['reader_calls']:.0f})",
     us(f["reader_twelve_lines_us_median"]), us(f["plain_read_twelve_lines_us_median"]),
     "CreateFileW, ReadFile, CloseHandle of the file",
     ratio(f["reader_twelve_lines_us_median"], f["plain_read_twelve_lines_us_median"])),
    (f"Folder box, per keystroke, 64 KiB Desktop.ini (median of {f['reader_calls']:.0f})",
     us(f["reader_64kib_us_median"]), us(f["plain_read_64kib_us_median"]),
     "CreateFileW, ReadFile, CloseHandle of the file",
     ratio(f["reader_64kib_us_median"], f["plain_read_64kib_us_median"])),
    (f"Apply a customisation, {f['apply_bytes']:.0f} bytes (median of {f['apply_runs']:.0f})",
     us(f["apply_us_median"]), us(f["apply_floor_us_median"]),
     "the floor of the safe method: the same bytes to a temporary file, "
     "FlushFileBuffers, ReplaceFileW",
     ratio(f["apply_us_median"], f["apply_floor_us_median"])),
    ("The same apply, against a plain write",
     us(f["apply_us_median"]), us(f["plain_write_us_median"]),
     "CreateFileW, WriteFile, CloseHandle of the same bytes",
     ratio(f["apply_us_median"], f["plain_write_us_median"])),
    (f"One /apply /noicon command over {f.get('command_line_folders', 1000):,.0f} folders, per folder",
     us(f["command_line_noicon_us_per_folder"]), us(f["apply_us_median"]),
     "apply_bench's median apply in the same run (start-up paid once)",
     ratio(f["command_line_noicon_us_per_folder"], f["apply_us_median"])),
    (f"Window busy while the picture box is set to a 6000 x 4000 JPEG, longest probe (worst of {f['busy_runs']:.0f})",
     ms(f["busy_choosing_ms_worst"]), "774 ms", "the window on main, 2026-12-08 (WM_SETTEXT blocked)",
     ratio(f["busy_choosing_ms_worst"], 774)),
    (f"Window busy while 20 keystrokes type that JPEG's path, longest probe (worst of {f['busy_runs']:.0f})",
     ms(f["busy_typing_ms_worst"]), "774 ms", "the window on main: the last keystroke decoded",
     ratio(f["busy_typing_ms_worst"], 774)),
    (f"Window busy while 20 keystrokes type a folder whose every disk operation takes "
     f"{f['slow_disk_delay_ms'] / 1000:.0f} s, longest probe (worst of {f['slow_disk_runs']:.0f})",
     ms(f["slow_disk_typing_busy_ms_worst"]), "50 ms", "the most a window may be busy",
     ratio(f["slow_disk_typing_busy_ms_worst"], 50)),
    (f"Window busy while applying to that folder, longest probe (worst of {f['slow_disk_runs']:.0f})",
     ms(f["slow_disk_applying_busy_ms_worst"]), "50 ms", "the most a window may be busy",
     ratio(f["slow_disk_applying_busy_ms_worst"], 50)),
    (f"Setting the picture box until the preview is on screen (median of {f['busy_runs']:.0f})",
     ms(f["preview_painted_ms_median"]),
     ms(f["djpeg_scale_1_8_ms_median"]), "djpeg -scale 1/8 (native Linux)",
     ratio(f["preview_painted_ms_median"], f["djpeg_scale_1_8_ms_median"])),
    ("The same, against a full-size decode", ms(f["preview_painted_ms_median"]),
     ms(f["djpeg_full_size_ms_median"]), "djpeg at full size (native Linux)",
     ratio(f["preview_painted_ms_median"], f["djpeg_full_size_ms_median"])),
    (f"Preview of a 6000 x 4000 JPEG, decoder alone (median of {f['preview_repetitions']:.0f})",
     ms(f["preview_ms_median"]),
     ms(f["djpeg_scale_1_8_ms_median"]), "djpeg -scale 1/8 (native Linux)",
     ratio(f["preview_ms_median"], f["djpeg_scale_1_8_ms_median"])),
    ("The same preview, against a full-size decode", ms(f["preview_ms_median"]),
     ms(f["djpeg_full_size_ms_median"]), "djpeg at full size (native Linux)",
     ratio(f["preview_ms_median"], f["djpeg_full_size_ms_median"])),
    (f"Folder icon from that JPEG, a fresh maker (median of {f['icon_repetitions']:.0f})",
     ms(f["icon_24mp_ms_median"]), ms(f["preview_ms_median"]),
     "the preview's decode of it (bench/preview_bench)",
     ratio(f["icon_24mp_ms_median"], f["preview_ms_median"])),
    ("FolderBackground-x64.exe", size(f["exe_bytes"]), size(f["bare_window_exe_bytes"]),
     "bare_window.exe, linked the same way", ratio(f["exe_bytes"], f["bare_window_exe_bytes"])),
    (f"Peak working set, window open, that JPEG in the preview (median of {f['memory_runs']:.0f})",
     mib(f["peak_working_set_with_picture_mib"]), mib(f["peak_working_set_bare_window_mib"]),
     "bare window open", ratio(f["peak_working_set_with_picture_mib"],
                               f["peak_working_set_bare_window_mib"])),
]
table = ["| Figure | FolderBackground | Baseline | Baseline is | Ratio |",
         "|---|--:|--:|---|--:|"]
table += ["| " + " | ".join(row) + " |" for row in rows]

other = [
    f"- Peak working set with the window open and no picture: "
    f"{mib(f['peak_working_set_window_open_mib'])}.",
    f"- Working set once a small picture has replaced that JPEG in the preview: "
    f"{mib(f['working_set_after_small_picture_mib'])}.",
    f"- Closing the window while that JPEG decodes, until the process has ended: "
    f"{ms(f['closing_while_decoding_ms_median'])}.",
    f"- Start-up, fastest of {f['startup_runs']:.0f} each: {ms(f['startup_ms_fastest'])} against "
    f"{ms(f['startup_bare_window_ms_fastest'])} for the bare window, ratio "
    f"{f['ratio_startup_fastest_to_bare_window']:.2f}.",
    f"- FolderBackground-x64.exe without its symbol table (strip): {size(f['exe_stripped_bytes'])}.",
    f"- FolderBackground.exe, the 32-bit program: {size(f['exe_x86_bytes'])}. 32-bit code cannot "
    f"run on this machine, so it has no start-up or memory figures of its own.",
    f"- Folder icon from a 1,000 x 667 JPEG, a fresh maker: {ms(f['icon_1000px_ms_median'])}; "
    f"the same file again, answered from the last icon: {us(f['icon_1000px_again_us_median'])} "
    f"({us(f['icon_24mp_again_us_median'])} for the 6000 x 4000 one). Icon files: "
    f"{size(f['icon_24mp_bytes'])} and {size(f['icon_1000px_bytes'])}.",
    f"- Preview loader's own peak working set: {mib(f['peak_working_set_mib'])}; "
    f"WIC decoder scales while decoding: {figures['decoder_scales_while_decoding']}.",
]

# Where an apply's, or a command's, time goes, call by call (bench/apply_profile,
# bench/command_line_profile).
def profile_table(prefix, per, between, whole):
    calls = sorted({k[len(prefix):-len("_calls")] for k in f
                    if k.startswith(prefix) and k.endswith("_calls")},
                   key=lambda call: -f[f"{prefix}{call}_us"])
    rows = [f"| Call | Per {per} | Time per {per} |", "|---|--:|--:|"]
    rows += [f"| {call.replace('_', ' ')} | {f[prefix + call + '_calls']:.0f} | "
             f"{us(f[prefix + call + '_us'])} |" for call in calls]
    return rows + [f"| between the calls (parsing, merging, encoding) | | {us(f[between])} |",
                   f"| {whole[0]} | | {us(f[whole[1]])} |"]


profile = profile_table("apply_profile_", "apply", "apply_profile_between_calls_us",
                        ("the whole apply, median", "apply_profile_us_median"))
command_profile = profile_table(
    "command_line_profile_", "folder", "command_line_profile_between_calls_us",
    ("the whole folder, mean", "command_line_profile_us_per_folder"))

# Work done on the window's thread: more than 100 ms there is a frozen window.
blocking = [
    ("a keystroke in the folder box, twelve-line file", f["reader_twelve_lines_us_median"] / 1000),
    ("a keystroke in the folder box, 64 KiB file", f["reader_64kib_us_median"] / 1000),
    ("applying a customisation", f["apply_us_median"] / 1000),
    ("choosing the 6000 x 4000 JPEG in the running window", f["busy_choosing_ms_worst"]),
    ("typing the path of the 6000 x 4000 JPEG", f["busy_typing_ms_worst"]),
]
off = [f"- The window is blocked for {ms(t)} by {what}." for what, t in blocking if t > 100]
if figures["decoder_scales_while_decoding"] == "no":
    off.append(
        "- The decode itself: Wine's WIC JPEG decoder cannot scale while decoding, so the "
        "worker decodes all 24 megapixels and then scales them down to the preview (the window "
        "answers meanwhile); the whole picture is in memory until then, which is why the peak "
        "working set grows "
        f"from {mib(f['peak_working_set_window_open_mib'])} to "
        f"{mib(f['peak_working_set_with_picture_mib'])}. djpeg needs "
        f"{ms(f['djpeg_scale_1_8_ms_median'])} for the same file at 1/8 scale. On Windows, "
        "whose JPEG decoder does scale while decoding, it should take far less; that was "
        "not measured here.")
if f["ratio_startup_to_bare_window"] > 1.2:
    off.append(
        f"- Start-up is {f['ratio_startup_to_bare_window']:.2f} x the bare window, above 1.2. "
        "The themed common controls are no longer loaded at start (a bare window with one "
        f"themed edit box takes {f['ratio_bare_window_with_box_to_bare_window']:.2f} x); what "
        "remains is the program's own: five native boxes, eight stand-ins for the painted "
        "commands, the artwork and the first paint of the background and six captions.")
# The reader against a plain read of the same bytes, apply against its floor.
limits = [
    ("the folder box's read of the twelve-line file", "reader_twelve_lines_us_median",
     "plain_read_twelve_lines_us_median", 1.5, "a plain read", ""),
    ("the folder box's read of the 64 KiB file", "reader_64kib_us_median",
     "plain_read_64kib_us_median", 2.0, "a plain read", ""),
    ("apply", "apply_us_median", "apply_floor_us_median", 1.5, "the floor of the safe method",
     " Where its time goes is in the table of calls above."),
]
for what, ours, base, most, name, why in limits:
    if f[ours] / f[base] > most:
        off.append(f"- {what[0].upper() + what[1:]} takes {f[ours] / f[base]:.2f} x {name}, "
                   f"above {most}.{why}")
if not off:
    off = ["- Nothing: no operation on the window's thread took more than 100 ms, the reader "
           "is within 1.5 x a plain read (2 x for 64 KiB) and apply within 1.5 x its floor."]

doc = f"""# Performance

Measured by `bench/run-all` on {machine.date}. All Windows figures are
measured under Wine, not on Windows; the djpeg figures are native Linux.

| Machine | |
|---|---|
| CPU | {machine.cpu} |
| Cores | {machine.cores} |
| Memory | {machine.memory} |
| Wine | {machine.wine} |
| Build | MinGW-w64 GCC {machine.gcc}, Release, static |

Each ratio is FolderBackground's figure over its baseline's, both measured in
the same run.

{chr(10).join(table)}

Also measured:

{chr(10).join(other)}

Where an apply's time goes (`bench/apply_profile`: the same applies, each
file-system call timed; a call's time is its median times its count). The
floor above is the create, write, flush and replace alone.

{chr(10).join(profile)}

Where one /apply over many folders spends its time per folder
(`bench/command_line_profile`: the command's runner in one process with the
real services, each call timed; a call's time is its mean, so that the rows
add up to the whole).

{chr(10).join(command_profile)}

## How

- Start-up: `bench/startup_bench` times from just before CreateProcessW until
  WaitForInputIdle returns and the program's window is visible; all the
  programs paint before their message loop, so that is the end of the first
  paint. Runs of the three (FolderBackground, the bare window, and the bare
  window with one edit box under the themed common controls' manifest, as
  FolderBackground's dialogs get them) alternate; one unmeasured start of each
  goes first.
- Folder box: `bench/reader_bench` drives the window model with the real
  Win32 file system and code page, typing two folders in turn so that every
  call changes the text; the other services do nothing, and the read that the
  window does on its worker runs at once, on the timed thread. The 64 KiB file holds
  other programs' sections with our twelve lines at the end.
- Apply: `bench/apply_bench` applies the same customisation over and over to
  one folder of a scratch folder: read, temporary file, flush, rename,
  attributes. Its floor, timed in the same runs, is what any safe replace
  costs: the same bytes written to a new temporary file, flushed, and put in
  place of another folder's file by ReplaceFileW.
- Where the reader's and apply's time went, found by timing each Win32 call
  alone under Wine: GetFileInformationByHandle took most of a millisecond
  (Wine asks the volume for its serial number), so the file layer asks
  GetFileInformationByHandleEx for the attributes, size, time and link count
  instead (3 µs each; XP keeps the old call); the reader decodes only section
  headers and the lines of its two keys rather than all of a 64 KiB file; and
  apply no longer makes and deletes a file to find a free name for the old
  one, nor writes attributes that are already as they should be.
- Then with `bench/apply_profile`: the check that the file is the folder's
  own entry asked for two final paths in the volume-name form (about 170 µs
  each under Wine) and opened the folder, twice an apply; it now accepts at
  once when the drive-letter form (about 40 µs) names the very path opened,
  and asks the folder only where they differ. The old file was kept under a
  backup name on every replace and deleted a moment later; it is now kept
  only while a later step may still need it back (a folder not yet marked
  System).
- Then with `bench/command_line_profile`: each folder's two SHChangeNotify
  calls parsed the folder's whole path into the shell's names, about 2.5 ms
  each under Wine, more than the apply itself. One ID list now serves both,
  and the folder's parent is parsed once for a run of folders in one place,
  then only each folder's own name (about 0.2 ms).
- Preview: `bench/preview_bench` decodes the JPEG as the window's worker
  does, at the preview's size.
- Busy: `bench/busy_bench` probes the running window every 10 ms with
  WM_NULL through SendMessageTimeout from a second thread; the longest round
  trip is the longest time the window's thread did not answer. Measured while
  the picture box is set to the JPEG (until the preview is on screen, read
  from the window's pixels) and while the last 20 characters of its path are
  posted to the box as WM_CHAR, 50 ms apart. The 774 ms beside them is the
  time WM_SETTEXT to the picture box blocked on main, measured on this
  machine earlier the same day.
- Slow disk: `bench/slow_disk_bench` runs the window's model on a thread
  with a window of its own, over the real file system behind a delay of 2 s
  for every operation, with the real worker that takes disk work off the
  window's thread. It probes that window as busy_bench does while the last
  20 characters of a folder's path are typed, 50 ms apart, and while the
  customisation is applied to it, until the result is shown.
- Size: `bench/memory_bench` starts the program, sets the picture box's text
  to the JPEG with WM_SETTEXT, waits until the preview is on screen and reads
  its PeakWorkingSetSize from outside through GetProcessMemoryInfo; then sets
  a small picture and reads its WorkingSetSize.

## What is clearly off

{chr(10).join(off)}
"""
open(machine.output, "w").write(doc)
