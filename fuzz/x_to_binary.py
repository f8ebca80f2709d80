#!/usr/bin/env python3
"""Turns a text .x file (stdin) into the token stream of the binary form, without its header
(stdout), the way exporters write it: a data object's numbers merged into integer and float lists
(floats of 64 bits with the argument 64, else 32), a string followed by its separator word,
templates with their keywords, brackets, class ids, separators and array sizes as tokens of their
own; with the argument pad, a string's separator word is followed by a zero word. Seeds for
the binary .x fuzz targets, and the binary files of the model tests."""
import re, struct, sys

FLOAT = 'd' if '64' in sys.argv[1:] else 'f'
PAD = b'\0\0' if 'pad' in sys.argv[1:] else b''  # a string's separator as a 4-byte word
KEYWORDS = {'template': 0x1f, 'WORD': 0x28, 'DWORD': 0x29, 'FLOAT': 0x2a, 'DOUBLE': 0x2b, 'CHAR': 0x2c,
            'UCHAR': 0x2d, 'SWORD': 0x2e, 'SDWORD': 0x2f, 'STRING': 0x31, 'array': 0x34}
PUNCTUATION = {'{': 0x0a, '}': 0x0b, '[': 0x0e, ']': 0x0f, ',': 0x13, ';': 0x14}

text = re.sub(r'(//|#)[^\n]*', '', sys.stdin.read()[16:])
tokens = re.findall(r'"[^"]*"|<[^>]*>|\.\.\.|[{}\[\];,]|[^\s;,{}\[\]"<]+', text)
out = bytearray()
numbers, floats = [], False
template_depth = None  # braces open inside the template being written

def flush():
    global numbers, floats
    if numbers:
        out.extend(struct.pack('<HI', 7 if floats else 6, len(numbers)))
        out.extend(struct.pack('<%d%s' % (len(numbers), FLOAT if floats else 'I'), *numbers))
    numbers, floats = [], False

for i, token in enumerate(tokens):
    number = re.fullmatch(r'[-+]?[0-9.]+(e[-+]?[0-9]+)?', token, re.I) and token != '...'
    in_template = template_depth is not None
    if number and not in_template:
        is_float = not token.isdigit()
        if numbers and is_float != floats:
            flush()
        numbers.append(float(token) if is_float else int(token))
        floats = is_float
        continue
    if token in ';,':
        # Outside templates separators only end strings: written there, right after the string.
        if in_template:
            out.extend(struct.pack('<H', PUNCTUATION[token]))
        continue
    flush()
    if number:
        out.extend(struct.pack('<HI', 3, int(token)))
    elif token in PUNCTUATION:
        out.extend(struct.pack('<H', PUNCTUATION[token]))
        if in_template and token in '{}':
            template_depth += 1 if token == '{' else -1
            if template_depth == 0:
                template_depth = None
    elif token == '...':
        out.extend(struct.pack('<HHH', 0x12, 0x12, 0x12))
    elif token.startswith('<'):
        out.extend(struct.pack('<H', 5) + bytes.fromhex(re.sub('[^0-9a-fA-F]', '', token)))
    elif token.startswith('"'):
        after = tokens[i + 1] if i + 1 < len(tokens) else ';'
        out.extend(struct.pack('<HI', 2, len(token) - 2) + token[1:-1].encode() +
                   struct.pack('<H', PUNCTUATION[after] if after in ';,' else 0x14) + PAD)
    elif token in KEYWORDS:
        out.extend(struct.pack('<H', KEYWORDS[token]))
        if token == 'template':
            template_depth = 0
    else:
        out.extend(struct.pack('<HI', 1, len(token)) + token.encode())
flush()
sys.stdout.buffer.write(bytes(out))
