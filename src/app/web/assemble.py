#!/usr/bin/env python3
"""Makes the one-file page: the shell with the font subset, the program's WebAssembly and its
script inlined. The WebAssembly is handed to the script as Module.wasmBinary, so that it is not
fetched: even an inlined data: address would be a request, which the page's policy forbids."""
import base64
import sys

shell, script, wasm, font, out = sys.argv[1:6]
with open(shell, encoding="utf-8") as f:
    page = f.read()
with open(script, encoding="utf-8") as f:
    code = f.read()
with open(wasm, "rb") as f:
    wasm64 = base64.b64encode(f.read()).decode("ascii")
with open(font, "rb") as f:
    font64 = base64.b64encode(f.read()).decode("ascii")
# The script is inlined in a <script> element, which it must not end early.
if "</script" in code.lower():
    sys.exit("assemble.py: the script contains </script")
# Decoded byte by byte into one array: Uint8Array.from() would first gather every byte as a
# JavaScript value, megabytes at the peak of the page's memory.
binary = (f'var Module = {{ wasmBinary: (() => {{ const text = atob("{wasm64}"); '
          'const bytes = new Uint8Array(text.length); '
          'for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i); '
          'return bytes; })() };')
page = page.replace("@FONT@", font64).replace("@SCRIPT@", binary + "\n" + code)
with open(out, "w", encoding="utf-8") as f:
    f.write(page)
