"""The Python module lum against lumcode, which reaches the engine without the
library or ctypes: font strings, normalised texts, rejection reasons, the
Windows-1252 mapping, the catalogue and the font names."""

from __future__ import annotations

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

import pytest

import lum
from lum import _cp1252

LUMCODE = os.environ["LUMCODE"]

# Texts every identifier is tried with, under both check flags: accepted by
# some symbologies and rejected by others (lengths, alphabets, first digits,
# Codabar ends, escapes, 8-bit characters).
TEXTS = [
    "",
    "0",
    "7",
    "1234",
    "12345",
    "123456",
    "1234567",
    "2234567",
    "12345678",
    "590123412345",
    "5901234123457",
    "12345678901234",
    "0123456789012345678",
    "abc-12",
    "ABC",
    "ABCDEF0189",
    "KLMO123",
    "1-2-3",
    "A123B",
    "a40156c",
    "$1.5/+%",
    "Hello, world",
    "\\F101234567890128",
    "Aé€",
]


def lumcode(*args: str, stdin: str | None = None) -> subprocess.CompletedProcess[bytes]:
    return subprocess.run(
        [LUMCODE, *args], input=None if stdin is None else stdin.encode(), capture_output=True, check=False
    )


def lumcode_batch(identifier: str, check: bool) -> list[bytes | None]:
    """lumcode's font string for every text of TEXTS, None where it rejects it."""
    flags = ["--check"] if check else []
    run = lumcode("encode", *flags, "--format", "hex", identifier, stdin="".join(t + "\n" for t in TEXTS))
    lines = run.stdout.decode().split("\n")
    assert len(lines) == len(TEXTS) + 1, run.stderr
    # A font string is never empty (start and stop at least): empty means rejected.
    return [bytes.fromhex(line) if line else None for line in lines[:-1]]


IDENTIFIERS = [s.id for s in lum.symbologies()]


@pytest.mark.parametrize("identifier", IDENTIFIERS)
@pytest.mark.parametrize("check", [False, True])
def test_every_identifier_encodes_and_validates_as_lumcode(identifier: str, check: bool) -> None:
    for text, expected in zip(TEXTS, lumcode_batch(identifier, check)):
        if expected is None:
            with pytest.raises(lum.LumError) as raised:
                lum.encode(text, identifier, check)
            assert raised.value.reason, text
        else:
            assert lum.encode(text, identifier, check) == _cp1252.decode(expected), text
            assert lum.encode(_cp1252.encode(text), identifier.lower(), check) == expected, text
        flags = ["--check"] if check else []
        validated = lumcode("validate", *flags, "--format", "hex", identifier, text)
        if validated.returncode == 0:
            normalised = bytes.fromhex(validated.stdout.decode().strip())
            assert lum.validate(text, identifier, check) == _cp1252.decode(normalised), text
            assert lum.validate(_cp1252.encode(text), identifier, check) == normalised, text
        else:
            assert validated.returncode == 1, validated.stderr
            with pytest.raises(lum.LumError):
                lum.validate(text, identifier, check)


# Reasons in both languages, worded as the engine words them (the length
# message names the flag as an argument, where lumcode names its option).
REASONS = [
    ("C39", "AB c", False,
     'character " " at position 3 is not allowed; allowed: 0-9, A-Z and - . _ $ / + % ("_" stands for a space)',
     'carattere " " in posizione 3 non ammesso; ammessi: 0-9, A-Z e - . _ $ / + % ("_" sta per lo spazio)'),
    ("EAN13", "12345678901234", True,
     "too long: 14 characters, at most 12 when the check digit is added",
     "troppo lungo: 14 caratteri, al massimo 12 se la cifra di controllo va aggiunta"),
    ("UPCE", "2234567", True,
     'first digit "2" is not allowed; the number system digit must be 0 or 1',
     'prima cifra "2" non ammessa; la cifra del sistema di numerazione deve essere 0 o 1'),
    ("CBAR", "A12", False,
     'character "2" at position 3 is not a start/stop character (A, B, C, D, E, M, T or *)',
     'carattere "2" in posizione 3 non è un carattere di start/stop (A, B, C, D, E, M, T o *)'),
    ("C39FULL", "aé", False,
     'character "é" (U+00E9) at position 2 is code 233; C39FULL encodes codes 0 to 127',
     'carattere "é" (U+00E9) in posizione 2 è il codice 233; C39FULL codifica i codici da 0 a 127'),
    ("nope", "1", False,
     'unknown symbology identifier "nope"',
     'identificativo di simbologia sconosciuto "nope"'),
]


@pytest.mark.parametrize("identifier,text,check,english,italian", REASONS)
def test_rejection_reasons_in_both_languages(identifier: str, text: str, check: bool, english: str,
                                             italian: str) -> None:
    for language, reason in (("en", english), ("it", italian)):
        for function in (lum.encode, lum.validate):
            if function is lum.validate and identifier == "C39FULL":
                continue  # no rule: only the encoder refuses
            with pytest.raises(lum.LumError) as raised:
                function(text, identifier, check, language=language)
            assert str(raised.value) == raised.value.reason == reason
            assert isinstance(raised.value, ValueError)
            assert isinstance(raised.value, lum.UnknownSymbologyError) == (identifier == "nope")
        assert lum.diagnose(text, identifier, check, language=language) == reason
    if "too long" not in english and identifier != "nope":
        flags = ["--check"] if check else []
        assert lumcode("encode", *flags, identifier, text).stderr.decode().rstrip().endswith(english)
    assert lum.diagnose("12345", "EAN13", True) == ""


@pytest.mark.parametrize(
    "text,english,italian",
    [
        ("AB\u0142C", 'character "\u0142" (U+0142) at position 3 has no Windows-1252 form',
         'carattere "\u0142" (U+0142) in posizione 3 non rappresentabile in Windows-1252'),
        ("\U0001F600", 'character "\U0001F600" (U+1F600) at position 1 has no Windows-1252 form',
         'carattere "\U0001F600" (U+1F600) in posizione 1 non rappresentabile in Windows-1252'),
        ("A\0B", "character U+0000 at position 2 cannot be passed to the library",
         "carattere U+0000 in posizione 2 non trasmissibile alla libreria"),
        (b"1\0", "character U+0000 at position 2 cannot be passed to the library",
         "carattere U+0000 in posizione 2 non trasmissibile alla libreria"),
    ],
)
def test_texts_the_library_cannot_be_given(text: str | bytes, english: str, italian: str) -> None:
    for language, reason in (("en", english), ("it", italian)):
        for function in (lum.encode, lum.validate):
            with pytest.raises(lum.LumError, match="^" + re.escape(reason) + "$") as raised:
                function(text, "C128", language=language)
            assert raised.value.text == text


def test_every_byte_maps_as_lumcode_maps_it() -> None:
    every = bytes(range(1, 256))
    run = lumcode("validate", "--raw-input", "C128", os.fsdecode(every))
    assert run.returncode == 0, run.stderr
    as_lumcode = run.stdout.decode("utf-8").removesuffix("\n")
    assert _cp1252.decode(every) == as_lumcode
    assert _cp1252.encode(as_lumcode) == every
    # Through the library and back: str and bytes forms of the same text.
    assert lum.validate(as_lumcode, "C128") == as_lumcode
    assert lum.validate(every, "C128") == every
    assert [hex(ord(as_lumcode[b - 1])) for b in (0x81, 0x8D, 0x8F, 0x90, 0x9D)] == [
        "0x81", "0x8d", "0x8f", "0x90", "0x9d"]


def test_results_keep_the_type_of_the_text() -> None:
    assert lum.encode("ABC", "C39", check=True) == "#ABCX#"
    assert lum.encode(b"ABC", "c39", check=True) == b"#ABCX#"
    assert lum.encode(bytearray(b"ABC"), "C39") == b"#ABC#"
    assert lum.validate("abc", "C39") == "ABC"
    assert lum.validate(b"12345", "EAN13", True) == b"000000012345"
    assert lum.encode("\u20ac", "C128") == _cp1252.decode(lum.encode(b"\x80", "C128"))
    with pytest.raises(TypeError):
        lum.encode(12345, "EAN13")  # type: ignore[type-var]


def test_catalogue_is_lumcode_list() -> None:
    listed = lumcode("list").stdout.decode().splitlines()
    ours = ["\t".join([s.id, s.english, s.italian, s.family, ", ".join(s.styles)]) for s in lum.symbologies()]
    assert ours == listed
    assert [(s.english, s.italian) for s in lum.styles()][:2] == [("Normal", "Normale"), ("Narrow", "Stretto")]


FONT_NAMES = [
    ("C39", "Normal", "VOR39"),
    ("C39FULL", "Stretto e corto", "VOR39 Narrow Short"),
    ("cip", "wide short", "VOR39 Wide Short"),
    ("C128", "Corto", "VOR128 Short"),
    ("C25", "Short", "VOR25 ITF Short"),
    ("DELTA", "Normale", "VORDELTA DA"),
    ("EAN13", "Short", "VOREAN"),
    ("ISBN", "Largo", "VOREAN"),
    ("POSTNET", "Narrow", "VORPOSTNET"),
    ("C32HRC", "Wide", "VOR32"),
    ("C128", "Wide", None),
    ("CBAR", "Stretto", None),
    ("C39", "Bold", None),
    ("XYZ", "Normal", None),
]


@pytest.mark.parametrize("identifier,style,expected", FONT_NAMES)
def test_font_names(identifier: str, style: str, expected: str | None) -> None:
    if expected is None:
        with pytest.raises(lum.LumError):
            lum.font_name(identifier, style)
    else:
        assert lum.font_name(identifier, style) == expected


def test_font_names_are_the_generated_fonts() -> None:
    """Every font file the build generates is named by font_name, and a family
    that has files has one for each of its styles."""
    font_dir = Path(os.environ.get("LUM_FONT_DIR", ""))
    files = {p.stem for p in font_dir.glob("*.ttf")}
    if not files:
        pytest.skip(f"no generated fonts in {font_dir}")
    names = {s.family: {lum.font_name(s.id, style) for style in s.styles} for s in lum.symbologies()}
    assert files <= set().union(*names.values())
    for family, fonts in names.items():
        if fonts & files:
            assert fonts <= files, family


def run_python(code: str, env: dict[str, str]) -> subprocess.CompletedProcess[str]:
    return subprocess.run([sys.executable, "-c", code], env=env, capture_output=True, text=True, check=False)


def test_library_search_order(tmp_path: Path) -> None:
    package = Path(lum.__file__).parent
    env = {k: v for k, v in os.environ.items() if k != "LUM_LIBRARY"}
    env["PYTHONPATH"] = str(package.parent)
    probe = "import lum; print(lum.library_path()); print(lum.encode('ABC', 'C39', check=True))"

    # The build tree's library, for the build tree's copy.
    run = run_python(probe, env)
    assert run.stdout.splitlines() == [lum.library_path(), "#ABCX#"], run.stderr

    # A named library that does not load is an error, not a reason to look elsewhere.
    run = run_python(probe, {**env, "LUM_LIBRARY": str(tmp_path / "missing.so")})
    assert "LibraryNotFoundError" in run.stderr and "missing.so" in run.stderr

    # A copy of the package with the library beside it, and no build tree.
    copy = tmp_path / "site" / "lum"
    shutil.copytree(package, copy, ignore=shutil.ignore_patterns("__pycache__"))
    (copy / "_location.py").write_text(
        'LIBRARY_NAME = "libLUMDLL.so.0"\nBUILD_TREE_LIBRARY = None\nINSTALLED_LIBRARY_DIRS = ("../../lib",)\n')
    env["PYTHONPATH"] = str(copy.parent)
    shutil.copy(lum.library_path(), copy / "libLUMDLL.so.0")
    run = run_python(probe, env)
    assert run.stdout.splitlines() == [str(copy / "libLUMDLL.so.0"), "#ABCX#"], run.stderr

    # Then the installation's library folder, relative to the package.
    (tmp_path / "lib").mkdir()
    (copy / "libLUMDLL.so.0").rename(tmp_path / "lib" / "libLUMDLL.so.0")
    run = run_python(probe, env)
    assert run.stdout.splitlines() == [str(tmp_path / "lib" / "libLUMDLL.so.0"), "#ABCX#"], run.stderr
