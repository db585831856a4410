"""Checks the workbooks that report_from_step16.scn wrote: two presses, two files, the same cells;
identity texts exactly as typed and always text; numbers as numbers."""
import pathlib
import sys

import openpyxl

folder = pathlib.Path(sys.argv[1])
files = sorted(folder.glob("*.xlsx"))
leftovers = [p.name for p in folder.iterdir() if p.suffix != ".xlsx"]
problems = []
if len(files) != 2:
    problems.append(f"expected 2 workbooks, found {[f.name for f in files]}")
if leftovers:
    problems.append(f"files other than workbooks left behind: {leftovers}")
for f in files:
    if "/" in f.name or not f.name.startswith("Отчет Квартон "):
        problems.append(f"unexpected name {f.name!r}")


def cells(path):
    ws = openpyxl.load_workbook(path).worksheets[0]
    return {(c.coordinate): (c.value, c.data_type) for row in ws.iter_rows() for c in row if c.value is not None}


if len(files) == 2:
    first, second = cells(files[0]), cells(files[1])
    if first != second:
        problems.append("the two workbooks differ")
    expected = {
        "B1": ("Республика Бурятия", "s"),
        "B2": ('  Детский сад "Ромашка" № 12 ', "s"),
        "B3": ('=HYPERLINK("http://example.org")', "s"),
        "B4": ("+1", "s"),
        "B5": ("-2", "s"),
        "B12": (0.25, "n"),      # step 1, PhysicalInstructor, chosen "0,25"
        "B40": (45600.5, "n"),   # 2011 payroll of the music director, typed "45600,5"
        "B42": (12000, "n"),
        "C38": (25.9, "n"),
        "B94": (15, "n"),
        "B100": ("-", "s"),
        "B102": (4116, "n"),     # 16000 × Buryatia's coefficient, rounded
    }
    for address, want in expected.items():
        if first.get(address) != want:
            problems.append(f"{address}: {first.get(address)!r}, expected {want!r}")
for p in problems:
    print(p)
sys.exit(1 if problems else 0)
