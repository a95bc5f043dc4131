#!/usr/bin/env python3
"""Writes the book header pictures data/images/bar1.bmp .. bar3.bmp.

Each is a band that fades from the book kind's colour on the left to a pale tint on the
right, with a thin darker line along its foot; the program writes the heading over its left
part. 24-bit uncompressed BMP (BITMAPINFOHEADER), bottom-up rows padded to four bytes.

    tools/make_book_bars.py [OUTPUT-FOLDER]     default: data/images beside this script
"""
import pathlib
import struct
import sys

WIDTH, HEIGHT = 360, 36
# bar1: the cash book and the all-books view, bar2: petty-cash books, bar3: bank books.
COLOURS = {
    "bar1.bmp": (48, 72, 150),
    "bar2.bmp": (36, 120, 84),
    "bar3.bmp": (150, 88, 36),
}
PALE = (238, 240, 246)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def band(colour):
    rows = []
    for y in range(HEIGHT):  # top row first
        row = bytearray()
        for x in range(WIDTH):
            t = max(0.0, (x - WIDTH * 0.35) / (WIDTH * 0.65))
            r, g, b = mix(colour, PALE, t)
            if y >= HEIGHT - 2:
                r, g, b = mix(colour, (0, 0, 0), 0.3)
            row += bytes((b, g, r))
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b"".join(reversed(rows))
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return file_header + info + pixels


def main():
    here = pathlib.Path(__file__).resolve().parent
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else here.parent / "data" / "images"
    out.mkdir(parents=True, exist_ok=True)
    for name, colour in COLOURS.items():
        (out / name).write_bytes(band(colour))


if __name__ == "__main__":
    main()
