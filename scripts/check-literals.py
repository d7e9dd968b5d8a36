#!/usr/bin/env python3
"""Finds German texts the compiler would store as UTF-8 by mistake.

The game's texts are Windows-1252 bytes, converted while compiling by the
_cp literal of src/core/cp1252.h. A plain string or character literal that
holds a character beyond ASCII must therefore carry the _cp suffix; u8, u, U
and L literals are left alone, as they mean what they say.

Usage: check-literals.py FILE...   Prints each finding; exits 1 if any.
"""

import re
import sys

PREFIX = re.compile(r'(u8|u|U|L)?(R)?(["\'])')
IDENTIFIER = re.compile(r"[A-Za-z0-9_]*")


def is_identifier_char(c):
    return c.isalnum() or c == "_"


def literals(text):
    """Yields (offset, end, prefix, body, suffix) of every string and character literal."""
    i = 0
    n = len(text)
    while i < n:
        if text.startswith("//", i):
            end = text.find("\n", i)
            i = n if end < 0 else end
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
            continue
        if i > 0 and is_identifier_char(text[i - 1]) and text[i] != '"':
            # Inside a name or a number: 1'000 is not a character literal.
            i += 1
            continue
        match = PREFIX.match(text, i)
        if not match:
            i += 1
            continue
        prefix = (match.group(1) or "") + (match.group(2) or "")
        quote = match.group(3)
        start = match.end()
        if match.group(2):
            if quote != '"':
                i = match.end()
                continue
            paren = text.find("(", start)
            delimiter = text[start:paren]
            close = text.find(")" + delimiter + '"', paren)
            if paren < 0 or close < 0:
                raise ValueError(f"unterminated raw string at offset {i}")
            body = text[paren + 1 : close]
            j = close + len(delimiter) + 2
        else:
            j = start
            while j < n and text[j] != quote:
                if text[j] == "\\":
                    j += 1
                elif text[j] == "\n":
                    raise ValueError(f"unterminated literal at offset {i}")
                j += 1
            body = text[start:j]
            j += 1
        suffix = IDENTIFIER.match(text, j).group(0)
        yield i, j + len(suffix), prefix, body, suffix
        i = j + len(suffix)


def findings(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    for offset, _, prefix, body, suffix in literals(text):
        if prefix.rstrip("R") != "" or suffix == "_cp":
            continue
        if any(ord(c) > 0x7F for c in body):
            line = text.count("\n", 0, offset) + 1
            column = offset - (text.rfind("\n", 0, offset) + 1) + 1
            yield line, column, text[offset : offset + 60].split("\n")[0]


def main(paths):
    failed = False
    for path in paths:
        try:
            for line, column, excerpt in findings(path):
                print(f"{path}:{line}:{column}: non-ASCII text without _cp: {excerpt}")
                failed = True
        except (UnicodeDecodeError, ValueError) as error:
            print(f"{path}: {error}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
