"""Checks the workbooks that report_from_step16.scn wrote: two presses, two files, the same cells;
identity texts exactly as typed and always text; numbers as numbers; a second sheet of results
with its charts, named after the region and the institution on every printed page."""
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
    if "/" in f.name or not f.name.startswith("Отчет Квартон — "):
        problems.append(f"unexpected name {f.name!r}")
    elif "— Детский сад Ромашка № 12 — " not in f.name:  # the institution, as a file name takes it
        problems.append(f"name without the institution {f.name!r}")


def cells(path, sheet=0):
    ws = openpyxl.load_workbook(path).worksheets[sheet]
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

    book = openpyxl.load_workbook(files[0])
    if book.sheetnames != ["Sheet1", "Результаты"]:
        problems.append(f"sheets {book.sheetnames}")
    else:
        results = book["Результаты"]
        if cells(files[0], 1) != cells(files[1], 1):
            problems.append("the two results sheets differ")
        if results["B2"].value != '  Детский сад "Ромашка" № 12 ' or results["A7"].value != "Шаг 13. Расчет ученико-часа.":
            problems.append(f"results sheet begins {results['B2'].value!r}, {results['A7'].value!r}")
        if results.oddHeader.center.text != 'Республика Бурятия,   Детский сад "Ромашка" № 12 ':
            problems.append(f"results header {results.oddHeader.center.text!r}")
        if len(results._charts) < 4:
            problems.append(f"{len(results._charts)} charts on the results sheet")
for p in problems:
    print(p)
sys.exit(1 if problems else 0)
