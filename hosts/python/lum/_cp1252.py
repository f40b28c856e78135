"""Windows-1252, the code page of every string LUMDLL reads and writes.

The mapping is the engine's: the five bytes the code page leaves undefined
(0x81, 0x8D, 0x8F, 0x90 and 0x9D) stand for the C1 control characters of the
same value, so every byte has a character and every such character maps back
to its byte. Python's own "cp1252" codec rejects those five bytes, so the
table is built from it and completed here.
"""

from __future__ import annotations

import codecs


def _decoding_table() -> str:
    chars = []
    for byte in range(256):
        try:
            chars.append(bytes([byte]).decode("cp1252"))
        except UnicodeDecodeError:
            chars.append(chr(byte))
    return "".join(chars)


DECODING_TABLE = _decoding_table()
_ENCODING_TABLE = codecs.charmap_build(DECODING_TABLE)


def encode(text: str) -> bytes:
    """The Windows-1252 bytes of `text`; UnicodeEncodeError for a character
    the code page cannot hold."""
    return codecs.charmap_encode(text, "strict", _ENCODING_TABLE)[0]


def decode(data: bytes) -> str:
    """The characters of Windows-1252 bytes (every byte has one)."""
    return codecs.charmap_decode(data, "strict", DECODING_TABLE)[0]
