#!/usr/bin/env python3
"""Turns a text .x file (stdin) into the token stream of the binary form, without its header
(stdout): seeds for the binary .x fuzz target."""
import re, struct, sys

text = re.sub(r'(//|#)[^\n]*', '', sys.stdin.read()[16:])
out = bytearray()
numbers, floats = [], False

def flush():
    global numbers, floats
    if numbers:
        out.extend(struct.pack('<HI', 7 if floats else 6, len(numbers)))
        out.extend(struct.pack('<%d%s' % (len(numbers), 'f' if floats else 'I'), *numbers))
    numbers, floats = [], False

for token in re.findall(r'"[^"]*"|[{}]|[^\s;,{}"]+', text):
    number = re.fullmatch(r'[-+]?[0-9.]+(e[-+]?[0-9]+)?', token, re.I)
    is_float = bool(number) and not token.isdigit()
    if number and (not numbers or is_float == floats):
        numbers.append(float(token) if is_float else int(token))
        floats = is_float
        continue
    flush()
    if number:
        numbers, floats = [float(token) if is_float else int(token)], is_float
    elif token in '{}':
        out.extend(struct.pack('<H', 0x0a if token == '{' else 0x0b))
    elif token.startswith('"'):
        out.extend(struct.pack('<HI', 2, len(token) - 2) + token[1:-1].encode() + struct.pack('<H', 0x14))
    else:
        out.extend(struct.pack('<HI', 1, len(token)) + token.encode())
flush()
sys.stdout.buffer.write(bytes(out))
