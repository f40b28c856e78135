"""Recalculation time of VORBARCODE cells in Calc, against the same sheet
with a built-in text function as the yardstick. A UNO client of a headless
office that bench/calc_bench.sh starts with the add-in installed:
  calc_bench.py PIPE CELLS ROUNDS
Prints, for each sheet, the median over ROUNDS full recalculations of the wall
time and of the office's CPU time (all its threads, from /proc: steadier than
wall time on a shared machine), and the ratios of VORBARCODE's to
CONCATENATE's; then ends the office."""

import os
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


def office_process(pipe):
    """The pid of the office listening on the pipe (soffice.bin, not its launcher)."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/comm", encoding="utf-8") as comm, open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                if comm.read().strip() == "soffice.bin" and f"pipe,name={pipe};".encode() in cmdline.read():
                    return pid
        except OSError:
            continue
    raise SystemExit("no office process found for the pipe")


def cpu_seconds(pid):
    """CPU time of every thread of the process, in seconds (schedstat: nanoseconds)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as file:
                total += int(file.read().split()[0])
        except OSError:
            continue
    return total / 1e9


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
    office = office_process(pipe)
    try:
        wall, cpu = {}, {}
        for name, formula in FORMULAS.items():
            doc, sheet = sheet_with(desktop, formula, cells)
            walls, cpus = [], []
            for _ in range(rounds):
                start, start_cpu = time.perf_counter(), cpu_seconds(office)
                doc.calculateAll()
                walls.append(time.perf_counter() - start)
                cpus.append(cpu_seconds(office) - start_cpu)
            wall[name], cpu[name] = statistics.median(walls), statistics.median(cpus)
            print(f"{name}: {cells} cells, median of {rounds} recalculations: wall {wall[name] * 1000:.1f} ms, "
                  f"office CPU {cpu[name] * 1000:.1f} ms ({cpu[name] / cells * 1e6:.2f} us a cell); "
                  f"B1 = {sheet.getCellByPosition(1, 0).getString()!r}")
            doc.close(True)
        print(f"ratio VORBARCODE / CONCATENATE: wall {wall['VORBARCODE'] / wall['CONCATENATE']:.1f}, "
              f"CPU {cpu['VORBARCODE'] / cpu['CONCATENATE']:.1f}")
    finally:
        try:
            desktop.terminate()
        except Exception:  # the bridge goes down with the office
            pass


if __name__ == "__main__":
    main()
