#!/usr/bin/env python3
"""Store a picture as the bitmap the window paints: a top-down 32-bit BMP of
premultiplied BGRA, so the program copies it at start-up instead of decoding.

usage: pack_bitmap.py IN OUT.bmp
"""
import struct
import subprocess
import sys


def main(source, target):
    size = subprocess.run(['identify', '-format', '%w %h', source + '[0]'],
                          check=True, capture_output=True, text=True).stdout
    w, h = map(int, size.split())
    rgba = subprocess.run(['convert', source + '[0]', '-alpha', 'on', '-depth', '8', 'rgba:-'],
                          check=True, capture_output=True).stdout
    assert len(rgba) == w * h * 4
    bgra = bytearray(len(rgba))
    for i in range(0, len(rgba), 4):
        r, g, b, a = rgba[i:i + 4]
        bgra[i:i + 4] = bytes(((b * a + 127) // 255, (g * a + 127) // 255,
                               (r * a + 127) // 255, a))
    info = struct.pack('<IiiHHIIiiII', 40, w, -h, 1, 32, 0, len(bgra), 3780, 3780, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(bgra), 0, 0, 14 + len(info))
    with open(target, 'wb') as f:
        f.write(header + info + bgra)


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
