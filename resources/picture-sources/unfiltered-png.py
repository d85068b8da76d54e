#!/usr/bin/env python3
"""Rewrites PNG pictures, and PNG images inside icon files, with every row unfiltered.

The pixels stay exactly the same. Flat drawings on a transparent background compress
as well without row filters, and a reader then has no filter to undo for each byte,
which is most of the time the program spends decoding its pictures at start-up.
Only 8-bit RGBA images are handled, the only kind the picture bundle holds.
"""
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
BYTES_PER_PIXEL = 4


def chunks(data):
    position = len(SIGNATURE)
    while position < len(data):
        (length,) = struct.unpack(">I", data[position:position + 4])
        kind = data[position + 4:position + 8]
        yield kind, data[position + 8:position + 8 + length]
        position += 12 + length


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = abs(estimate - left), abs(estimate - up), abs(estimate - up_left)
    if distances[0] <= distances[1] and distances[0] <= distances[2]:
        return left
    return up if distances[1] <= distances[2] else up_left


def unfiltered_rows(raw, width, height):
    stride = width * BYTES_PER_PIXEL
    previous = bytearray(stride)
    for row in range(height):
        start = row * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for x in range(stride):
            left = line[x - BYTES_PER_PIXEL] if x >= BYTES_PER_PIXEL else 0
            up = previous[x]
            up_left = previous[x - BYTES_PER_PIXEL] if x >= BYTES_PER_PIXEL else 0
            predictor = (0, left, up, (left + up) // 2, paeth(left, up, up_left))[kind]
            line[x] = (line[x] + predictor) & 0xFF
        yield bytes(line)
        previous = line


def chunk(kind, body):
    checksum = zlib.crc32(kind + body) & 0xFFFFFFFF
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", checksum)


def rewrite_png(data):
    others, compressed = [], b""
    for kind, body in chunks(data):
        if kind == b"IDAT":
            compressed += body
        elif kind != b"IEND":
            others.append((kind, body))
    width, height, depth, colour = struct.unpack(">IIBB", others[0][1][:10])
    if others[0][0] != b"IHDR" or depth != 8 or colour != 6:
        raise ValueError("not an 8-bit RGBA PNG")
    rows = unfiltered_rows(zlib.decompress(compressed), width, height)
    pixels = zlib.compress(b"".join(b"\0" + row for row in rows), 9)
    return (SIGNATURE + b"".join(chunk(kind, body) for kind, body in others)
            + chunk(b"IDAT", pixels) + chunk(b"IEND", b""))


def rewrite_icon(data):
    (count,) = struct.unpack("<H", data[4:6])
    entries, images = [], []
    for index in range(count):
        entry = data[6 + 16 * index:22 + 16 * index]
        size, offset = struct.unpack("<II", entry[8:16])
        image = data[offset:offset + size]
        images.append(rewrite_png(image) if image.startswith(SIGNATURE) else image)
        entries.append(entry[:8])
    offset = 6 + 16 * count
    directory = data[:6]
    for entry, image in zip(entries, images):
        directory += entry + struct.pack("<II", len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


for path in sys.argv[1:]:
    with open(path, "rb") as source:
        data = source.read()
    rewritten = rewrite_png(data) if data.startswith(SIGNATURE) else rewrite_icon(data)
    with open(path, "wb") as target:
        target.write(rewritten)
