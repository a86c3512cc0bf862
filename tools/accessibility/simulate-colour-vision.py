#!/usr/bin/env python3
"""Shows a screenshot as a dichromat sees it (Viénot, Brettel and Mollon 1999, on linear
sRGB), so the game's colour states can be checked by eye.

usage: simulate-colour-vision.py deuteranopia|protanopia IN.png OUT.png
Needs ImageMagick's `convert` for reading and writing PNG.
"""
import subprocess
import sys

MATRICES = {
    "protanopia": [[0.10889, 0.89111, 0.0], [0.10889, 0.89111, 0.0], [0.00447, -0.00447, 1.0]],
    "deuteranopia": [[0.29031, 0.70969, 0.0], [0.29031, 0.70969, 0.0], [-0.02197, 0.02197, 1.0]],
}


def to_linear(c):
    c /= 255.0
    return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4


def to_srgb(c):
    c = min(1.0, max(0.0, c))
    v = 12.92 * c if c <= 0.0031308 else 1.055 * c ** (1 / 2.4) - 0.055
    return int(round(v * 255))


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in MATRICES:
        sys.exit(__doc__)
    m = MATRICES[sys.argv[1]]
    ppm = subprocess.run(["convert", sys.argv[2], "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    # P6 header: magic, width, height, maximum, each followed by whitespace.
    fields, pos = [], 0
    while len(fields) < 4:
        while ppm[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not ppm[pos:pos + 1].isspace():
            pos += 1
        fields.append(ppm[start:pos])
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    lut = [to_linear(i) for i in range(256)]
    data = ppm[pos:]
    out = bytearray(len(data))
    cache = {}
    for i in range(0, width * height * 3, 3):
        key = data[i:i + 3]
        if key not in cache:
            r, g, b = lut[key[0]], lut[key[1]], lut[key[2]]
            cache[key] = bytes(to_srgb(row[0] * r + row[1] * g + row[2] * b) for row in m)
        out[i:i + 3] = cache[key]
    header = b"P6\n%d %d\n255\n" % (width, height)
    subprocess.run(["convert", "ppm:-", sys.argv[3]], input=header + bytes(out), check=True)


if __name__ == "__main__":
    main()
