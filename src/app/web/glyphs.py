#!/usr/bin/env python3
"""Writes every character the program may draw: printable ASCII, and whatever else appears in
the sources given (captions, help text, the page's own texts)."""
import sys

out, sources = sys.argv[1], sys.argv[2:]
chars = {chr(c) for c in range(0x20, 0x7F)}
for path in sources:
    with open(path, encoding="utf-8") as f:
        chars |= {c for c in f.read() if ord(c) >= 0x80}
with open(out, "w", encoding="utf-8") as f:
    f.write("".join(sorted(chars)))
