#!/usr/bin/env python3
"""Waits until the X display shows a picture and prints when, to the
millisecond, as seconds since the epoch.

Usage: wait-for-picture.py RAW WIDTH HEIGHT [TIMEOUT_S]
RAW holds the expected picture as 8-bit RGB triples, row by row (as
ImageMagick's `convert PICTURE rgb:RAW` writes it). Every 2 ms a few rows of
the root window are read; the picture counts as shown when nearly all sampled
pixels lie within a small distance of it (decoders round differently).
Screenshot polling with ImageMagick takes a few hundred milliseconds a look;
this takes about one.
"""
import ctypes
import sys
import time

ROWS = (40, 200, 384, 560, 727)
COLUMNS = range(8, 1024, 32)
TOLERANCE = 12
SHARE = 0.9
Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFF


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte))]


def main():
    raw_path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    timeout = float(sys.argv[4]) if len(sys.argv) > 4 else 30.0
    with open(raw_path, "rb") as f:
        raw = f.read()
    expected = [(y, x, raw[(y * width + x) * 3:(y * width + x) * 3 + 3])
                for y in ROWS if y < height for x in COLUMNS if x < width]

    x11 = ctypes.CDLL("libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XGetImage.restype = ctypes.POINTER(XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                              ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x11.XFree.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    root = x11.XDefaultRootWindow(display)

    def shows_picture():
        matching = 0
        for y in ROWS:
            image = x11.XGetImage(display, root, 0, y, width, 1, ALL_PLANES, Z_PIXMAP)
            if not image:
                return False
            data = image.contents.data
            for row, x, rgb in expected:
                if row != y:
                    continue
                # 24-bit visuals keep 32 bits a pixel, blue first.
                b, g, r = data[4 * x], data[4 * x + 1], data[4 * x + 2]
                if max(abs(r - rgb[0]), abs(g - rgb[1]), abs(b - rgb[2])) <= TOLERANCE:
                    matching += 1
            x11.XFree(ctypes.cast(data, ctypes.c_void_p))
            x11.XFree(image)
        return matching >= SHARE * len(expected)

    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if shows_picture():
            print(f"{time.time():.3f}")
            return
        time.sleep(0.002)
    sys.exit("the picture did not appear")


if __name__ == "__main__":
    main()
