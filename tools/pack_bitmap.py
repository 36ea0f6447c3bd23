#!/usr/bin/env python3
"""Store a picture as the bitmap the window paints, deflated, so that the
program only inflates it at start-up (a few milliseconds) and stays small.
Both forms are top-down 32-bit BMPs:
- an opaque picture with the plain 40-byte header (no alpha, as BI_RGB
  means), which the window copies as it is;
- a picture with any transparency with a BITMAPV5HEADER whose alpha mask is
  set, holding premultiplied BGRA, which the window blends.
The pixels start at a multiple of 16 bytes into the BMP. The file written is
that BMP as one zlib stream.

usage: pack_bitmap.py IN OUT.bmp.z
"""
import struct
import subprocess
import sys
import zlib


def main(source, target):
    size = subprocess.run(['identify', '-format', '%w %h', source + '[0]'],
                          check=True, capture_output=True, text=True).stdout
    w, h = map(int, size.split())
    rgba = subprocess.run(['convert', source + '[0]', '-alpha', 'on', '-depth', '8', 'rgba:-'],
                          check=True, capture_output=True).stdout
    assert len(rgba) == w * h * 4
    opaque = all(a == 255 for a in rgba[3::4])
    pixels = bytearray(len(rgba))
    for i in range(0, len(rgba), 4):
        r, g, b, a = rgba[i:i + 4]
        pixels[i:i + 4] = bytes(((b * a + 127) // 255, (g * a + 127) // 255,
                                 (r * a + 127) // 255, a))
    if opaque:
        info = struct.pack('<IiiHHIIiiII', 40, w, -h, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
    else:
        BI_BITFIELDS, LCS_sRGB = 3, 0x73524742
        info = struct.pack('<IiiHHIIiiII', 124, w, -h, 1, 32, BI_BITFIELDS, len(pixels), 3780,
                           3780, 0, 0)
        info += struct.pack('<IIIII', 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, LCS_sRGB)
        info += bytes(36 + 12) + struct.pack('<IIII', 4, 0, 0, 0)  # endpoints, gamma, intent
    assert len(info) in (40, 124)
    offset = (14 + len(info) + 15) // 16 * 16
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(target, 'wb') as f:
        f.write(zlib.compress(header + info + bytes(offset - 14 - len(info)) + pixels, 9))


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
