#!/usr/bin/env python3
"""Pack several images into one .ico, choosing the encoding per entry.

ImageMagick's ico writer cannot hold two depths of the same size, so the
container is written here.  Pixels come from `convert`, nothing else needed.

usage: pack_ico.py OUT.ico KIND:FILE ...
  KIND  png   - 32-bit entry stored as the PNG file itself
        bmp32 - 32-bit BGRA DIB with AND mask
        bmp8  - 256-colour DIB with AND mask (alpha thresholded at 50 %)
"""
import struct
import subprocess
import sys


def pixels(path, fmt, extra=()):
    size = subprocess.run(['identify', '-format', '%w %h', path + '[0]'],
                          check=True, capture_output=True, text=True).stdout
    w, h = map(int, size.split())
    raw = subprocess.run(['convert', path + '[0]', *extra, '-depth', '8',
                          fmt + ':-'], check=True, capture_output=True).stdout
    return w, h, raw


def and_mask(w, h, opaque):
    """1 bpp, bottom-up, rows padded to 32 bits; set bit = transparent."""
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if not opaque(x, y):
                row[x >> 3] |= 0x80 >> (x & 7)
        out += row
    return bytes(out)


def bih(w, h, bpp, image_size, colours=0):
    # height is doubled: XOR bitmap followed by the AND mask
    return struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bpp, 0, image_size,
                       0, 0, colours, 0)


def dib32(path):
    w, h, rgba = pixels(path, 'rgba')
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            r, g, b, a = rgba[(y * w + x) * 4:(y * w + x) * 4 + 4]
            xor += bytes((b, g, r, a))
    mask = and_mask(w, h, lambda x, y: rgba[(y * w + x) * 4 + 3] > 0)
    return w, h, 32, 0, bih(w, h, 32, len(xor) + len(mask)) + xor + mask


def dib8(path):
    w, h, rgba = pixels(path, 'rgba')
    # hard 1-bit transparency, then quantise the opaque colours to 256
    _, _, rgb = pixels(path, 'rgb', ['-channel', 'A', '-threshold', '50%',
                                     '+channel', '-background', 'black',
                                     '-alpha', 'remove', '+dither',
                                     '-colors', '256'])
    cols = {}
    idx = []
    for i in range(w * h):
        c = rgb[i * 3:i * 3 + 3]
        if c not in cols:
            cols[c] = len(cols)
        idx.append(cols[c])
    if len(cols) > 256:
        sys.exit('%s: %d colours after quantising' % (path, len(cols)))
    pal = bytearray(1024)
    for c, i in cols.items():
        pal[i * 4:i * 4 + 3] = bytes((c[2], c[1], c[0]))
    stride = (w + 3) & ~3
    xor = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        row[:w] = bytes(idx[y * w:(y + 1) * w])
        xor += row
    mask = and_mask(w, h, lambda x, y: rgba[(y * w + x) * 4 + 3] >= 128)
    return w, h, 8, 0, bih(w, h, 8, len(xor) + len(mask), 256) + pal + xor + mask


def png(path):
    w, h, _ = pixels(path, 'gray')
    with open(path, 'rb') as f:
        data = f.read()
    return w, h, 32, 0, data


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    out, requests = sys.argv[1], sys.argv[2:]
    kinds = {'png': png, 'bmp32': dib32, 'bmp8': dib8}
    entries = []
    for request in requests:
        kind, path = request.split(':', 1)
        entries.append(kinds[kind](path))

    offset = 6 + 16 * len(entries)
    head = struct.pack('<HHH', 0, 1, len(entries))
    body = b''
    for w, h, bpp, ncol, data in entries:
        head += struct.pack('<BBBBHHII', w % 256, h % 256, ncol, 0, 1, bpp,
                            len(data), offset + len(body))
        body += data
    with open(out, 'wb') as f:
        f.write(head + body)


if __name__ == '__main__':
    main()
