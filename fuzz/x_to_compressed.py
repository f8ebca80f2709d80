#!/usr/bin/env python3
"""Turns a whole .x file (stdin, text or binary) into a seed of the compressed .x fuzz target
(stdout): a byte saying text (1) or binary (0), then what follows the header of the compressed
file: the plain file's size and its blocks of at most BLOCK bytes, each "CK" and a raw deflate
stream primed with the bytes before it."""
import struct, sys, zlib

BLOCK = int(sys.argv[1]) if len(sys.argv) > 1 else 4096
plain = sys.stdin.buffer.read()
out = bytearray([1 if plain[8:12] == b'txt ' else 0])
out += struct.pack('<I', len(plain))
for at in range(16, len(plain), BLOCK):
    chunk = plain[at:at + BLOCK]
    history = plain[max(16, at - 32768):at]
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, zdict=history) if history else zlib.compressobj(9, zlib.DEFLATED, -15)
    packed = packer.compress(chunk) + packer.flush()
    out += struct.pack('<HH', len(chunk), len(packed) + 2) + b'CK' + packed
sys.stdout.buffer.write(bytes(out))
