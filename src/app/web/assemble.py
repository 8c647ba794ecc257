#!/usr/bin/env python3
"""Makes the one-file page: the shell with the font subset, the program's WebAssembly and its
script inlined."""
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
page = (page.replace("@FONT@", font64).replace("@WASM@", wasm64)
        .replace("@SCRIPT@", code))
with open(out, "w", encoding="utf-8") as f:
    f.write(page)
