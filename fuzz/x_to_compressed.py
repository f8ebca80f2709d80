#!/usr/bin/env python3
"""Compresses a whole .x file (stdin, text or binary) as MSZIP writers do (stdout): the header with
"tzip" or "bzip", the plain file's size, then blocks of at most BLOCK plain bytes (the first
argument, default 4096), each its two sizes, "CK" and a raw deflate stream primed with the bytes
before it. With --seed, a seed of the compressed .x fuzz target instead: a byte saying text (1)
or binary (0), then the file after its header."""
import struct, sys, zlib

args = [a for a in sys.argv[1:] if a != '--seed']
BLOCK = int(args[0]) if args else 4096
plain = sys.stdin.buffer.read()
text = plain[8:12] == b'txt '
out = bytearray(plain[:8] + (b'tzip' if text else b'bzip') + plain[12:16])
out += struct.pack('<I', len(plain))
for at in range(16, len(plain), BLOCK):
    chunk = plain[at:at + BLOCK]
    history = plain[max(16, at - 32768):at]
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, zdict=history) if history else zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = packer.compress(chunk) + packer.flush()
    out += struct.pack('<HH', len(chunk), len(packed) + 2) + b'CK' + packed
sys.stdout.buffer.write(bytes([1 if text else 0]) + out[16:] if '--seed' in sys.argv else bytes(out))
