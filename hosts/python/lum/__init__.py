"""Barcode font strings from Python, through LUM's library libLUMDLL.

A font string is a text validated and normalised for a symbology, with its
check characters and its start, stop and guard characters, mapped onto the
characters of a barcode font family. Set in that font (font_name tells which),
at any size, it prints a scannable barcode.

    >>> import lum
    >>> lum.encode("ABC", "C39", check=True)
    '#ABCX#'
    >>> lum.validate("12345", "EAN13", check=True)
    '000000012345'
    >>> lum.font_name("C39", "Narrow")
    'VOR39 Narrow'

Texts may be str or bytes, and results come back in the type given: a str is
converted to Windows-1252, the library's code page, and back; bytes are taken
as Windows-1252 as they are. `check=True` asks for the check character(s) to
be computed and appended; with `check=False` the text carries its own, and the
fixed-length symbologies expect one digit more.

A text the symbology rejects raises LumError (a ValueError) carrying the
reason in English or, with language="it", in Italian; symbologies() lists the
identifiers with their names, font families and styles.

The library is looked for in the file named by the environment variable
LUM_LIBRARY, beside this package, in the build tree the package was built in,
in the installation it was installed with, and then by the dynamic loader;
library_path() tells which one was loaded.
"""

from __future__ import annotations

import ctypes
from typing import NamedTuple, TypeVar

from . import _catalogue, _cp1252, _library
from ._library import LibraryNotFoundError

LibraryNotFoundError.__module__ = __name__

__all__ = [
    "LibraryNotFoundError",
    "LumError",
    "Style",
    "Symbology",
    "UnknownSymbologyError",
    "diagnose",
    "encode",
    "font_name",
    "library_path",
    "styles",
    "symbologies",
    "validate",
]

Text = TypeVar("Text", str, bytes)


class LumError(ValueError):
    """A request the library refuses: a text the symbology rejects, a
    character outside Windows-1252, an unknown symbology or style.

    str(error) and `reason` say why; `symbology` and `text` are the request's.
    """

    def __init__(self, reason: str, symbology: str | bytes | None = None, text: str | bytes | None = None) -> None:
        super().__init__(reason)
        self.reason = reason
        self.symbology = symbology
        self.text = text


class UnknownSymbologyError(LumError):
    """The identifier names no symbology (see symbologies())."""


class Symbology(NamedTuple):
    """One symbology, as listed by symbologies()."""

    id: str
    """Identifier the functions take, such as "C39" (any letter case)."""
    english: str
    """Display name in English; empty for the add-on parts ADD2 and ADD5."""
    italian: str
    """Display name in Italian."""
    family: str
    """Barcode font family, such as "VOR39"."""
    styles: tuple[str, ...]
    """Styles of the family (English names), the first being "Normal"."""


class Style(NamedTuple):
    """A font style, by its English and Italian display names."""

    english: str
    italian: str


_SYMBOLOGIES = tuple(Symbology(*row) for row in _catalogue.SYMBOLOGIES)
_BY_ID = {s.id: s for s in _SYMBOLOGIES}
_STYLES = tuple(Style(*row) for row in _catalogue.STYLES)
_LANGUAGES = {"en": 0, "it": 1}

# Messages the module composes itself, worded like the library's.
_MESSAGES = {
    "no_cp1252": (
        "character {char} at position {pos} has no Windows-1252 form",
        "carattere {char} in posizione {pos} non rappresentabile in Windows-1252",
    ),
    "nul": (
        "character U+0000 at position {pos} cannot be passed to the library",
        "carattere U+0000 in posizione {pos} non trasmissibile alla libreria",
    ),
    "too_long": (
        "too long: {length} characters, at most {limit}",
        "troppo lungo: {length} caratteri, al massimo {limit}",
    ),
    "unknown_symbology": (
        'unknown symbology identifier "{id}"',
        'identificativo di simbologia sconosciuto "{id}"',
    ),
    "unknown_style": (
        'unknown style "{style}"; styles: {styles}',
        'stile sconosciuto "{style}"; stili: {styles}',
    ),
    "no_such_style": (
        '{family} has no style "{style}"; styles: {styles}',
        '{family} non ha lo stile "{style}"; stili: {styles}',
    ),
}


def _language(language: str) -> int:
    try:
        return _LANGUAGES[language]
    except KeyError:
        raise ValueError(f'language must be "en" or "it", not {language!r}') from None


def _message(key: str, language: int, **values: object) -> str:
    return _MESSAGES[key][language].format(**values)


def _char_name(char: str) -> str:
    return f'"{char}" (U+{ord(char):04X})' if char.isprintable() else f"U+{ord(char):04X}"


def _text_bytes(text: str | bytes, symbology: str | bytes, language: int) -> bytes:
    """The Windows-1252 bytes the library is given for `text`."""
    if isinstance(text, str):
        try:
            data = _cp1252.encode(text)
        except UnicodeEncodeError as error:
            char = text[error.start]
            reason = _message("no_cp1252", language, char=_char_name(char), pos=error.start + 1)
            raise LumError(reason, symbology, text) from None
    elif isinstance(text, (bytes, bytearray, memoryview)):
        data = bytes(text)
    else:
        raise TypeError(f"text must be str or bytes, not {type(text).__name__}")
    nul = data.find(b"\0")
    if nul >= 0:
        raise LumError(_message("nul", language, pos=nul + 1), symbology, text)
    if len(data) > _library.MAX_TEXT_LENGTH:
        reason = _message("too_long", language, length=len(data), limit=_library.MAX_TEXT_LENGTH)
        raise LumError(reason, symbology, text)
    return data


def _identifier(symbology: str | bytes, text: str | bytes, language: int) -> bytes:
    """The identifier as the library takes it: ASCII without NUL."""
    if isinstance(symbology, str):
        ident = symbology.encode("ascii") if symbology.isascii() else b""
    elif isinstance(symbology, (bytes, bytearray)):
        ident = bytes(symbology) if symbology.isascii() else b""
    else:
        raise TypeError(f"symbology must be str, not {type(symbology).__name__}")
    if not ident or b"\0" in ident:
        shown = symbology if isinstance(symbology, str) else symbology.decode("latin-1")
        raise UnknownSymbologyError(_message("unknown_symbology", language, id=shown), symbology, text)
    return ident


def _reason(lib: _library.Library, data: bytes, ident: bytes, check: bool, language: int) -> str:
    """Why the library refuses the request, from VORDiagnoseDLL; empty when it does not."""
    capacity = 256
    while True:
        out = ctypes.create_string_buffer(capacity)
        length = lib.diagnose(data, ident, int(check), language, out, capacity)
        if length < capacity:
            return _cp1252.decode(ctypes.string_at(out, length))
        capacity = length + 1


def _refusal(lib: _library.Library, data: bytes, ident: bytes, check: bool, language: int,
             symbology: str | bytes, text: str | bytes) -> LumError:
    reason = _reason(lib, data, ident, check, language) or "the library refuses this text"
    known = ident.decode("ascii").upper() in _BY_ID
    return (LumError if known else UnknownSymbologyError)(reason, symbology, text)


def encode(text: Text, symbology: str, check: bool = False, *, language: str = "en") -> Text:
    """The font string for `text` in the symbology named by `symbology`.

    `check=True` appends the check character(s); otherwise the text carries
    them. The result is str for a str text and bytes (Windows-1252) for bytes.
    Raises LumError when the symbology rejects the text, with the reason in
    English, or in Italian for language="it"; UnknownSymbologyError for an
    identifier that names no symbology.

        >>> encode("590123412345", "EAN13", check=True)
        '5|JabCDe!nopqrt|'
    """
    lang = _language(language)
    data = _text_bytes(text, symbology, lang)
    ident = _identifier(symbology, text, lang)
    lib = _library.load()
    capacity = _library.output_capacity(len(data))
    while True:
        out = ctypes.create_string_buffer(capacity)
        length = lib.encode(data, ident, int(bool(check)), out, capacity)
        if length == 0:
            raise _refusal(lib, data, ident, bool(check), lang, symbology, text)
        if length < capacity:
            break
        capacity = length + 1  # not expected: the capacity above covers every output
    result = ctypes.string_at(out, length)
    return _cp1252.decode(result) if isinstance(text, str) else result


def validate(text: Text, symbology: str, check: bool = False, *, language: str = "en") -> Text:
    """`text` checked against the symbology's rule and normalised: upper-cased
    where the alphabet is upper-case, padded on the left with "0" to the fixed
    length of the numeric symbologies.

    Raises LumError, like encode, when the text is rejected. Symbologies
    without a rule (Full ASCII, Code 128, EAN 128) return the text unchanged;
    characters their encoders cannot carry are reported by encode.

        >>> validate("abc-12", "C39")
        'ABC-12'
    """
    lang = _language(language)
    data = _text_bytes(text, symbology, lang)
    ident = _identifier(symbology, text, lang)
    lib = _library.load()
    if ident.decode("ascii").upper() not in _BY_ID:
        raise _refusal(lib, data, ident, bool(check), lang, symbology, text)
    capacity = _library.validate_capacity(len(data))
    while True:
        buffer = ctypes.create_string_buffer(data, capacity)
        needed = lib.validate(buffer, capacity, ident, int(bool(check)))
        if needed == 0:
            raise _refusal(lib, data, ident, bool(check), lang, symbology, text)
        if needed <= capacity:
            break
        capacity = needed
    result = ctypes.string_at(buffer, needed - 1)
    return _cp1252.decode(result) if isinstance(text, str) else result


def diagnose(text: str | bytes, symbology: str, check: bool = False, *, language: str = "en") -> str:
    """Why encode would raise for this request, or "" when it would succeed."""
    lang = _language(language)
    try:
        data = _text_bytes(text, symbology, lang)
        ident = _identifier(symbology, text, lang)
    except LumError as error:
        return error.reason
    return _reason(_library.load(), data, ident, bool(check), lang)


def symbologies() -> tuple[Symbology, ...]:
    """Every symbology, in the library's resolution order: identifier,
    English and Italian display names, font family and its styles."""
    return _SYMBOLOGIES


def styles() -> tuple[Style, ...]:
    """The six font styles, "Normal" first; a family has some or all of them."""
    return _STYLES


def _symbology(symbology: str, language: int) -> Symbology:
    entry = _BY_ID.get(symbology.upper()) if isinstance(symbology, str) else None
    if entry is None:
        raise UnknownSymbologyError(_message("unknown_symbology", language, id=symbology), symbology)
    return entry


def font_name(symbology: str, style: str = "Normal", *, language: str = "en") -> str:
    """The name of the font to set a font string of `symbology` in: the family
    and the style's suffix, such as "VOR39 Narrow Short".

    `style` is a display name in English or Italian, in any letter case
    ("Narrow short", "stretto e corto"). Families with a single font ("VOREAN",
    "VOR32", "VORPOSTNET") have the same name for every style. Raises LumError
    for a style the family does not have.

        >>> font_name("C128", "Corto")
        'VOR128 Short'
    """
    lang = _language(language)
    entry = _symbology(symbology, lang)
    wanted = style.casefold() if isinstance(style, str) else None
    found = next((s for s in _STYLES if wanted in (s.english.casefold(), s.italian.casefold())), None)
    if found is None:
        names = ", ".join(s[lang] for s in _STYLES)
        raise LumError(_message("unknown_style", lang, style=style, styles=names), symbology)
    name = _catalogue.FONT_NAMES.get((entry.family, found.english))
    if name is None:
        names = ", ".join(s[lang] for s in _STYLES if s.english in entry.styles)
        raise LumError(_message("no_such_style", lang, family=entry.family, style=style, styles=names), symbology)
    return name


def library_path() -> str:
    """The file (or, when the dynamic loader found it, the name) of the loaded
    libLUMDLL; loads it when no function has yet. Raises
    LibraryNotFoundError when it is nowhere to be found."""
    return _library.load().path
