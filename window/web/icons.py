#!/usr/bin/env python3
"""Build tool: writes a PNG of the icon from one of its XPM designs,
scaled up by whole pixels so the pixel art stays sharp.
  icons.py OUT.png IN.xpm SIZE"""
import re
import struct
import sys
import zlib


def read_xpm(path):
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', open(path, encoding='ascii').read())
    width, height, colours, per_pixel = map(int, strings[0].split()[:4])
    palette = {}
    for line in strings[1:1 + colours]:
        key, spec = line[:per_pixel], line[per_pixel:].split()
        value = spec[spec.index('c') + 1]
        palette[key] = None if value.lower() == 'none' else bytes.fromhex(value.lstrip('#')) + b'\xff'
    rows = strings[1 + colours:1 + colours + height]
    return [[palette[row[x * per_pixel:(x + 1) * per_pixel]] or b'\0\0\0\0' for x in range(width)]
            for row in rows]


def png(pixels, scale):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    lines = b''.join(b'\0' + b''.join(p * scale for p in row) for row in pixels for _ in range(scale))
    size = len(pixels[0]) * scale, len(pixels) * scale
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', *size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(lines, 9)) + chunk(b'IEND', b''))


def main():
    if len(sys.argv) != 4:
        sys.exit('usage: icons.py OUT.png IN.xpm SIZE')
    pixels = read_xpm(sys.argv[2])
    size = int(sys.argv[3])
    if size % len(pixels) != 0:
        sys.exit(f'icons.py: {size} is not a whole multiple of the design\'s {len(pixels)} pixels')
    with open(sys.argv[1], 'wb') as out:
        out.write(png(pixels, size // len(pixels)))


main()
