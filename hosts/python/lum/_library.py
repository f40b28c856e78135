"""Finding libLUMDLL and calling its exports through ctypes.

The library is looked for, in this order: the file named by the environment
variable LUM_LIBRARY; beside this package; the build tree this copy of the
package was built in; the installation it was installed with; the dynamic
loader's own search (ldconfig cache, LD_LIBRARY_PATH, /usr/lib).
"""

from __future__ import annotations

import ctypes
import ctypes.util
import os
import threading
from pathlib import Path

from . import _location

ENVIRONMENT_VARIABLE = "LUM_LIBRARY"

# Room the exports need, as lumdll.h states it (LUMDLL_OUTPUT_CAPACITY and
# LUMDLL_VALIDATE_CAPACITY).
def output_capacity(text_length: int) -> int:
    return 2 * text_length + 64


def validate_capacity(text_length: int) -> int:
    return max(text_length + 2, 16)


# Capacities are C ints: texts whose room would not fit are refused first.
MAX_TEXT_LENGTH = (2**31 - 1 - 64) // 2


class LibraryNotFoundError(OSError):
    """libLUMDLL could not be loaded from any of the places looked at."""


class Library:
    """The loaded library with the prototypes of the exports used here."""

    def __init__(self, path: str) -> None:
        self.path = path
        dll = ctypes.CDLL(path)
        c_char_p, c_int = ctypes.c_char_p, ctypes.c_int
        self.encode = dll.VORStringToBarcodeBufDLL
        self.encode.argtypes = (c_char_p, c_char_p, c_int, c_char_p, c_int)
        self.encode.restype = c_int
        self.validate = dll.VORValidateStringBufDLL
        self.validate.argtypes = (c_char_p, c_int, c_char_p, c_int)
        self.validate.restype = c_int
        self.diagnose = dll.VORDiagnoseDLL
        self.diagnose.argtypes = (c_char_p, c_char_p, c_int, c_int, c_char_p, c_int)
        self.diagnose.restype = c_int


def candidates() -> list[str]:
    """The places looked at, in order (LUM_LIBRARY excluded)."""
    here = Path(__file__).resolve().parent
    found = [str(here / _location.LIBRARY_NAME)]
    if _location.BUILD_TREE_LIBRARY:
        found.append(_location.BUILD_TREE_LIBRARY)
    for relative in _location.INSTALLED_LIBRARY_DIRS:
        found.append(os.path.normpath(here / relative / _location.LIBRARY_NAME))
    return found


def _search() -> Library:
    explicit = os.environ.get(ENVIRONMENT_VARIABLE)
    if explicit:
        # A library named explicitly is the one wanted: no silent fallback.
        try:
            return Library(explicit)
        except OSError as error:
            raise LibraryNotFoundError(f"{ENVIRONMENT_VARIABLE}={explicit}: {error}") from None
    tried = []
    for path in candidates():
        if os.path.exists(path):
            try:
                return Library(path)
            except OSError as error:
                tried.append(f"{path} ({error})")
        else:
            tried.append(path)
    for name in (_location.LIBRARY_NAME, ctypes.util.find_library("LUMDLL")):
        if name:
            try:
                return Library(name)
            except OSError:
                tried.append(name)
    raise LibraryNotFoundError(
        "libLUMDLL not found; looked at: " + ", ".join(tried) + f". Set {ENVIRONMENT_VARIABLE} to its path."
    )


_lock = threading.Lock()
_library: Library | None = None


def load() -> Library:
    """The library, loaded on first use."""
    global _library
    if _library is None:
        with _lock:
            if _library is None:
                _library = _search()
    return _library
