#!/usr/bin/python3
"""Writes a minimal static i386 Linux executable that exits with status 0.

Running it tells whether this kernel runs 32-bit processes at all, which
32-bit Wine needs; it is written here rather than taken from a package.
"""
import struct
import sys

BASE = 0x08048000
code = bytes([0x31, 0xDB,        # xor ebx, ebx
              0xB8, 1, 0, 0, 0,  # mov eax, 1 (exit)
              0xCD, 0x80])       # int 0x80
ehdr_size, phdr_size = 52, 32
entry = BASE + ehdr_size + phdr_size
ehdr = b"\x7fELF" + bytes([1, 1, 1, 0]) + bytes(8)
ehdr += struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, entry, ehdr_size, 0, 0,
                    ehdr_size, phdr_size, 1, 0, 0, 0)
size = ehdr_size + phdr_size + len(code)
phdr = struct.pack("<IIIIIIII", 1, 0, BASE, BASE, size, size, 5, 0x1000)
with open(sys.argv[1], "wb") as f:
    f.write(ehdr + phdr + code)
