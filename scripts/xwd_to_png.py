#!/usr/bin/env python3
"""Turns an X window dump (xwd, 24 or 32 bits per pixel, TrueColor) into a PNG file.

Usage: xwd_to_png.py IN.xwd OUT.png
"""
import struct
import sys
import zlib


def convert(source, target):
    data = open(source, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header_size, _version, _format, depth, width, height = fields[:6]
    byte_order = fields[7]
    bits_per_pixel, bytes_per_line = fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14], fields[15], fields[16]
    colours = fields[19]  # colormap entries stored after the header, 12 bytes each
    if bits_per_pixel not in (24, 32) or depth < 24:
        raise SystemExit(f"xwd_to_png: {bits_per_pixel} bits per pixel is not handled")
    offset = header_size + colours * 12
    step = bits_per_pixel // 8
    order = "<" if byte_order == 0 else ">"
    shifts = [(mask & -mask).bit_length() - 1 for mask in (red_mask, green_mask, blue_mask)]
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line: offset + y * bytes_per_line + width * step]
        row = bytearray(b"\x00")
        for x in range(width):
            chunk = line[x * step:(x + 1) * step]
            padded = chunk + b"\x00" if order == "<" else b"\x00" + chunk
            value = struct.unpack(order + "I", chunk if step == 4 else padded)[0]
            row += bytes((value >> shift) & 0xFF for shift in shifts)
        rows.append(bytes(row))

    def chunk(kind, payload):
        return (struct.pack(">I", len(payload)) + kind + payload +
                struct.pack(">I", zlib.crc32(kind + payload) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(b"".join(rows), 6)) + chunk(b"IEND", b""))
    open(target, "wb").write(png)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    convert(sys.argv[1], sys.argv[2])
