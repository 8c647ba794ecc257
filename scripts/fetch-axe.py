#!/usr/bin/python3
"""Puts axe-core's axe.min.js, the browser suite's accessibility checker, at OUT: the package's
tarball from npm's registry, checked against the integrity the registry publishes for it. Needs no
npm. Does nothing when OUT is already that file's.
usage: fetch-axe.py VERSION SHA512_BASE64 OUT"""
import base64
import hashlib
import io
import os
import sys
import tarfile
import urllib.request

version, integrity, out = sys.argv[1:4]
stamp = out + '.' + version
if os.path.exists(out) and os.path.exists(stamp):
    sys.exit(0)
url = f'https://registry.npmjs.org/axe-core/-/axe-core-{version}.tgz'
with urllib.request.urlopen(url, timeout=60) as response:
    tarball = response.read()
if base64.b64encode(hashlib.sha512(tarball).digest()).decode() != integrity:
    sys.exit(f'fetch-axe: {url} is not the tarball npm publishes for axe-core {version}')
with tarfile.open(fileobj=io.BytesIO(tarball)) as package:
    script = package.extractfile('package/axe.min.js').read()
os.makedirs(os.path.dirname(out), exist_ok=True)
with open(out, 'wb') as file:
    file.write(script)
open(stamp, 'w').close()
