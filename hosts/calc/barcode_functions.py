"""The cell functions VORBARCODE, VORVALIDATE and VORFONT for LibreOffice
Calc: a UNO add-in component over the Python module lum.

Calc finds the functions through CalcAddIns.xcu (display names, argument help
in English and Italian) and calls the methods of XBarcodeFunctions here. A
rejected text raises a RuntimeException, which Calc shows as #VALUE!; an
argument of the wrong kind or an unknown symbology or style raises
IllegalArgumentException, shown as Err:502.
"""

from __future__ import annotations

import math
from decimal import Decimal

import unohelper
from com.sun.star.lang import IllegalArgumentException
from com.sun.star.uno import RuntimeException
from vor.lum.calc import XBarcodeFunctions

try:
    import lum
except ImportError as error:  # reported by every call, as #VALUE!
    lum = None
    _missing = f"the Python module lum cannot be imported: {error}"

# Every document that uses the functions stores this name with each call:
# it must never change.
IMPLEMENTATION_NAME = "vor.lum.calc.BarcodeFunctions"
SERVICE_NAMES = ("com.sun.star.sheet.AddIn",)

# Argument positions, for IllegalArgumentException: VORBARCODE and VORVALIDATE,
# then VORFONT.
TEXT, SYMBOLOGY, CHECK_DIGIT = 0, 1, 2
FONT_SYMBOLOGY, FONT_STYLE = 0, 1


def cell_text(value: object, position: int, context: object) -> str:
    """The text a cell argument stands for. A number is taken as its digits:
    no ".0" and no exponent, so 590123412345 reads as "590123412345" (the
    fixed-length symbologies pad leading zeros the number lost, as validation
    does); a fraction keeps its decimal point. An omitted text is the empty
    text; Calc passes an empty cell as the number 0."""
    if isinstance(value, str):
        return value
    if value is None:
        return ""
    if isinstance(value, float) and math.isfinite(value):
        if value == int(value):
            return str(int(value))
        return format(Decimal(repr(value)), "f")
    raise IllegalArgumentException("a text or a number is expected, not a range", context, position)


def check_flag(value: object, context: object) -> bool:
    """check_digit: a number (TRUE and FALSE are 1 and 0), a numeric text, or omitted (0)."""
    if value is None:
        return False
    if isinstance(value, float):
        return value != 0
    if isinstance(value, str):
        if not value.strip():
            return False
        try:
            return float(value) != 0
        except ValueError:
            pass
    raise IllegalArgumentException("check_digit must be a number", context, CHECK_DIGIT)


def style_name(value: object, context: object) -> str:
    """style: a style's display name in English or Italian, or omitted ("Normal")."""
    if value is None or value == "":
        return "Normal"
    if isinstance(value, str):
        return value
    raise IllegalArgumentException("style must be a text such as Narrow or Stretto", context, FONT_STYLE)


class BarcodeFunctions(unohelper.Base, XBarcodeFunctions):
    """The add-in object Calc creates; it keeps no state between calls."""

    def __init__(self, context: object) -> None:
        self.context = context

    def _run(self, function, text: object, symbology: str, checkDigit: object) -> str:
        if lum is None:
            raise RuntimeException(_missing, self)
        value = cell_text(text, TEXT, self)
        check = check_flag(checkDigit, self)
        try:
            return function(value, symbology, check)
        except lum.UnknownSymbologyError as error:
            raise IllegalArgumentException(error.reason, self, SYMBOLOGY) from None
        except lum.LumError as error:
            raise RuntimeException(error.reason, self) from None

    def vorBarcode(self, text: object, symbology: str, checkDigit: object) -> str:
        return self._run(lum.encode if lum else None, text, symbology, checkDigit)

    def vorValidate(self, text: object, symbology: str, checkDigit: object) -> str:
        return self._run(lum.validate if lum else None, text, symbology, checkDigit)

    def vorFont(self, symbology: str, style: object) -> str:
        if lum is None:
            raise RuntimeException(_missing, self)
        try:
            return lum.font_name(symbology, style_name(style, self))
        except lum.LumError as error:
            position = FONT_SYMBOLOGY if isinstance(error, lum.UnknownSymbologyError) else FONT_STYLE
            raise IllegalArgumentException(error.reason, self, position) from None


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(BarcodeFunctions, IMPLEMENTATION_NAME, SERVICE_NAMES)
