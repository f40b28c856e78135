"""Recalculation time of VORBARCODE cells in Calc, against the same sheet
with a built-in text function as the yardstick. A UNO client of a headless
office that bench/calc_bench.sh starts with the add-in installed:
  calc_bench.py PIPE CELLS ROUNDS
Prints the median time of ROUNDS full recalculations of each sheet and the
ratio of VORBARCODE's to CONCATENATE's, then ends the office."""

import statistics
import sys
import time

import uno
from com.sun.star.beans import PropertyValue
from com.sun.star.connection import NoConnectException

# Column A holds the same 12-digit EAN-13 bodies in both sheets.
FORMULAS = {
    "VORBARCODE": '=VORBARCODE(A{row};"EAN13";1)',
    "CONCATENATE": '=CONCATENATE("*";A{row};"#")',
}


def connect(pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(240):
        try:
            context = resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
            return context.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
        except NoConnectException:
            time.sleep(0.25)
    raise SystemExit("the office did not answer on its pipe")


def sheet_with(desktop, formula, cells):
    hidden = PropertyValue()
    hidden.Name, hidden.Value = "Hidden", True
    doc = desktop.loadComponentFromURL("private:factory/scalc", "_blank", 0, (hidden,))
    sheet = doc.Sheets.getByIndex(0)
    sheet.getCellRangeByName(f"A1:A{cells}").setDataArray(
        tuple((f"{(row * 7919) % 10**12:012d}",) for row in range(cells)))
    sheet.getCellRangeByName(f"B1:B{cells}").setFormulaArray(
        tuple((formula.format(row=row),) for row in range(1, cells + 1)))
    return doc, sheet


def main():
    pipe, cells, rounds = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
    desktop = connect(pipe)
    try:
        seconds = {}
        for name, formula in FORMULAS.items():
            doc, sheet = sheet_with(desktop, formula, cells)
            times = []
            for _ in range(rounds):
                start = time.perf_counter()
                doc.calculateAll()
                times.append(time.perf_counter() - start)
            seconds[name] = statistics.median(times)
            print(f"{name}: {cells} cells, median of {rounds} recalculations {seconds[name] * 1000:.1f} ms "
                  f"({seconds[name] / cells * 1e6:.2f} us a cell); B1 = {sheet.getCellByPosition(1, 0).getString()!r}")
            doc.close(True)
        print(f"ratio VORBARCODE / CONCATENATE: {seconds['VORBARCODE'] / seconds['CONCATENATE']:.1f}")
    finally:
        try:
            desktop.terminate()
        except Exception:  # the bridge goes down with the office
            pass


if __name__ == "__main__":
    main()
