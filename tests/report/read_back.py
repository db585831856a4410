"""Reads the report workbooks back with openpyxl, a reader independent of the writer.

usage: read_back.py <report_fixture> <work folder>

The fixture writes each workbook next to JSON files of what its sheets must hold; this script checks
the values and their types, then the formatting the first sheet must have, then that two workbooks
of the same model hold the same cells, then the results sheet: its figures with their number
formats, its page and its charts, whose series must name the cells the description gives and carry
those cells' values; then a workbook of what the report sheets do not use yet.
"""
import json
import re
import shutil
import subprocess
import sys
import zipfile
from pathlib import Path
from xml.etree import ElementTree

import openpyxl
from openpyxl.cell.cell import MergedCell
from openpyxl.utils import get_column_letter, range_boundaries

ROWS, COLUMNS = 112, 4
MERGED = {"A81:C81"}
BORDERED = ["A99:C112", "A81:C97", "A59:D79", "A55:D57", "A37:C53", "A22:D35", "A7:D20", "A1:B5"]
BOLD = ["A7:D7", "A22:D22", "A37:C37", "A55:D55", "A59:D59", "A81:C81", "A99:C99"]
WIDTHS = {"A": 41, "B": 15.43, "C": 15.43, "D": 15.43}

MAIN = "{http://schemas.openxmlformats.org/spreadsheetml/2006/main}"
ESCAPE = re.compile("_x([0-9A-Fa-f]{4})_")

problems = []


def fail(case, message):
    problems.append(f"{case}: {message}")


def cells_of(ranges):
    out = set()
    for r in ranges:
        min_col, min_row, max_col, max_row = range_boundaries(r)
        out |= {(row, col) for row in range(min_row, max_row + 1) for col in range(min_col, max_col + 1)}
    return out


def stored_texts(path, part="xl/worksheets/sheet1.xml"):
    """Cell address → text, read from the package itself.

    openpyxl 3.0 does not undo the format's "_xHHHH_" escapes of shared strings (it only drops
    "x005F_"), so the texts are read here by the format's own rule, as Excel and LibreOffice do.
    """
    unescape = lambda m: chr(int(m.group(1), 16))
    with zipfile.ZipFile(path) as z:
        shared = [ESCAPE.sub(unescape, "".join(t.text or "" for t in si.iter(MAIN + "t")))
                  for si in ElementTree.fromstring(z.read("xl/sharedStrings.xml")).iter(MAIN + "si")]
        sheet = ElementTree.fromstring(z.read(part))
    return {c.get("r"): shared[int(c.find(MAIN + "v").text)] for c in sheet.iter(MAIN + "c") if c.get("t") == "s"}


def column_styles(ws):
    """Column letter → the dimension that styles it (a dimension may span several columns)."""
    styles = {}
    for dim in ws.column_dimensions.values():
        for col in range(dim.min, dim.max + 1):
            styles[get_column_letter(col)] = dim
    return styles


def check_values(case, ws, texts, expected):
    for row in range(1, ROWS + 1):
        for col in range(1, COLUMNS + 1):
            address = f"{get_column_letter(col)}{row}"
            cell = ws._cells.get((row, col))
            value = cell.value if cell is not None else None
            want = expected.get(address)
            if want == "":
                want = None  # an empty text leaves the cell empty
            if isinstance(want, float) or isinstance(want, int):
                if cell is None or cell.data_type != "n" or value != want:
                    fail(case, f"{address}: {value!r} ({cell and cell.data_type}), expected the number {want!r}")
            elif want is not None:
                if cell is None or cell.data_type != "s" or texts.get(address) != want:
                    fail(case, f"{address}: {texts.get(address)!r} ({cell and cell.data_type}), "
                               f"expected the text {want!r}")
            elif value is not None:
                fail(case, f"{address}: {value!r}, expected an empty cell")
    if ws.max_row > ROWS or ws.max_column > COLUMNS:
        fail(case, f"sheet reaches {ws.max_row} rows and {ws.max_column} columns")


def check_format(case, ws):
    if {str(r) for r in ws.merged_cells.ranges} != MERGED:
        fail(case, f"merged ranges {ws.merged_cells.ranges}")
    columns = column_styles(ws)
    for letter, width in WIDTHS.items():
        dim = columns.get(letter)
        # Stored widths carry the cell padding: 5 pixels at 7 pixels per character.
        shown = round((dim.width * 7 - 5) / 7, 2) if dim is not None and dim.width else None
        if shown != width:
            fail(case, f"column {letter} is {shown} wide, expected {width}")
    bordered, bold = cells_of(BORDERED), cells_of(BOLD)
    # Rows are fitted to their texts: a text wider than its column (merged A81:C81 counted whole)
    # stands in a row taller than one line; a row of short texts keeps the default height.
    for row in range(1, ROWS + 1):
        height = ws.row_dimensions[row].height or 15
        longest = 0.0
        for col in range(1, COLUMNS + 1):
            cell = ws._cells.get((row, col))
            if cell is None or cell.data_type != "s":
                continue
            letter = get_column_letter(col)
            width = sum(WIDTHS.values()) - WIDTHS["D"] if f"{letter}{row}" == "A81" else WIDTHS[letter]
            longest = max(longest, len(str(cell.value)) / width)
        if longest > 1.2 and height < 30:
            fail(case, f"row {row} is {height} points high for a text {longest:.1f} times its column")
        if longest < 0.8 and height != 15:
            fail(case, f"row {row} of short texts is {height} points high")
        for col in range(1, COLUMNS + 1):
            address = f"{get_column_letter(col)}{row}"
            # A cell the file does not hold takes the format of its column. openpyxl replaces the
            # covered cells of a merged range by placeholders without their formats.
            styled = ws._cells.get((row, col)) or columns.get(get_column_letter(col))
            if isinstance(styled, MergedCell):
                continue
            if styled is None:
                fail(case, f"{address} has no format")
                continue
            a = styled.alignment
            if (a.horizontal, a.vertical, bool(a.wrap_text), a.textRotation or 0, a.indent or 0,
                    bool(a.shrink_to_fit), a.readingOrder or 0) != ("center", "center", True, 0, 0, False, 0):
                fail(case, f"{address} alignment {a.horizontal} {a.vertical} wrap={a.wrap_text} "
                           f"rotation={a.textRotation} indent={a.indent} shrink={a.shrink_to_fit}")
            if styled.number_format != "General":
                fail(case, f"{address} number format {styled.number_format}")
            b = styled.border
            sides = [b.left.style, b.top.style, b.right.style, b.bottom.style]
            want = ["thin"] * 4 if (row, col) in bordered else [None] * 4
            if sides != want or b.diagonal.style is not None or b.diagonalUp or b.diagonalDown:
                fail(case, f"{address} borders {sides}, expected {want}")
            if any(side.style and side.color is not None and not side.color.auto
                   for side in (b.left, b.top, b.right, b.bottom)):
                fail(case, f"{address} has borders of a colour other than the automatic one")
            if bool(styled.font.b) != ((row, col) in bold):
                fail(case, f"{address} bold is {styled.font.b}")


def load(case, folder):
    path = folder / f"{case}.xlsx"
    expected = json.loads((folder / f"{case}.json").read_text(encoding="utf-8"))
    return openpyxl.load_workbook(path).worksheets[0], stored_texts(path), expected


def check_results(case, folder):
    """The second sheet: every cell as described, numbers with their formats, the page, the charts."""
    path = folder / f"{case}.xlsx"
    expected = json.loads((folder / f"{case}.results.json").read_text(encoding="utf-8"))
    wb = openpyxl.load_workbook(path)
    if wb.sheetnames != ["Sheet1", "Результаты"]:
        fail(case, f"sheets {wb.sheetnames}")
        return
    ws = wb["Результаты"]
    texts = stored_texts(path, "xl/worksheets/sheet2.xml")
    cells = expected["cells"]
    for (row, col), cell in ws._cells.items():
        address = f"{get_column_letter(col)}{row}"
        if cell.value is not None and address not in cells:
            fail(case, f"results {address}: {cell.value!r} where nothing was written")
    for address, want in cells.items():
        cell = ws[address]
        if isinstance(want, (int, float)):
            if cell.data_type != "n" or cell.value != want:
                fail(case, f"results {address}: {cell.value!r} ({cell.data_type}), expected the number {want!r}")
            elif cell.number_format != expected["formats"][address]:
                fail(case, f"results {address}: format {cell.number_format}, expected {expected['formats'][address]}")
        elif want == "":
            if cell.value is not None:
                fail(case, f"results {address}: {cell.value!r}, expected an empty cell")
        elif cell.data_type != "s" or texts.get(address) != want:
            fail(case, f"results {address}: {texts.get(address)!r}, expected the text {want!r}")

    ps = ws.page_setup
    breaks = [b.id + 1 for b in ws.row_breaks.brk]
    if (ps.orientation, ps.paperSize, ps.fitToHeight, ws.sheet_properties.pageSetUpPr.fitToPage) != \
            ("landscape", 9, 0, True) or breaks != expected["breaks"]:
        fail(case, f"results page {ps.orientation} {ps.paperSize} fit {ps.fitToWidth}x{ps.fitToHeight}, "
                   f"breaks {breaks}")
    # openpyxl undoes the escapes of a header but gives its literal ampersands doubled.
    if ws.oddHeader.center.text != expected["header"].replace("&", "&&"):
        fail(case, f"results header {ws.oddHeader.center.text!r}")

    charts = ws._charts
    if len(charts) != len(expected["charts"]):
        fail(case, f"{len(charts)} charts, expected {len(expected['charts'])}")
        return
    absolute = lambda r: "'Результаты'!" + ":".join("${}${}".format(*re.match(r"([A-Z]+)(\d+)", a).groups())
                                                      for a in r.split(":"))
    for chart, want in zip(charts, expected["charts"]):
        title = "".join(r.t for p in chart.title.tx.rich.p for r in (p.r or []))
        anchor = f"{get_column_letter(chart.anchor._from.col + 1)}{chart.anchor._from.row + 1}"
        grouping = "stacked" if want["stacked"] else "clustered"
        if (title, anchor, chart.grouping) != (want["title"], want["at"], grouping):
            fail(case, f"chart {title!r} at {anchor} {chart.grouping}, expected {want}")
        if len(chart.series) != len(want["series"]):
            fail(case, f"chart {title!r}: {len(chart.series)} series")
            continue
        for series, w in zip(chart.series, want["series"]):
            name = f"chart {title!r} series {w['name']!r}"
            got = (series.tx.v, series.cat.strRef.f, series.val.numRef.f)
            if got != (w["name"], absolute(w["categories"]), absolute(w["values"])):
                fail(case, f"{name}: {got}")
                continue
            # What a reader shows without recalculating: the cells' own values.
            values = [ws[a].value or 0 for row in ws[w["values"]] for a in [row_cell.coordinate for row_cell in row]]
            cached = [p.v for p in series.val.numRef.numCache.pt]
            categories = [c.value for row in ws[w["categories"]] for c in row]
            names = [p.v for p in series.cat.strRef.strCache.pt]
            if cached != values or names != categories:
                fail(case, f"{name}: cached {cached} {names}, cells {values} {categories}")


def check_features(folder):
    """A second sheet with number formats, alignments, a merge, widths, a height and a header."""
    case = "features"
    wb = openpyxl.load_workbook(folder / "features.xlsx")
    if wb.sheetnames != ["Sheet1", "Результаты"]:
        fail(case, f"sheets {wb.sheetnames}")
        return
    ws = wb["Результаты"]
    got = []
    for address in ["A1", "A2", "B2", "C2"]:
        c = ws[address]
        a = c.alignment
        got.append((address, c.value, c.number_format, bool(c.font.b), c.border.left.style,
                    a.horizontal, a.vertical))
    want = [("A1", "Итоги", "General", True, "thin", "left", None),
            ("A2", 1234.5, "0", False, None, None, None),
            ("B2", 1234.56, "0.0", False, None, "right", None),
            ("C2", 1234.567, "0.00", False, None, None, "top")]
    if got != want:
        fail(case, f"cells {got}, expected {want}")
    if {str(r) for r in ws.merged_cells.ranges} != {"A1:C1"}:
        fail(case, f"merged ranges {ws.merged_cells.ranges}")
    widths = {letter: round((d.width * 7 - 5) / 7, 2) for letter, d in ws.column_dimensions.items() if d.width}
    if widths != {"A": 20, "C": 12} or ws.column_dimensions["C"].number_format != "0":
        fail(case, f"column widths {widths}, column C format {ws.column_dimensions['C'].number_format}")
    if ws.row_dimensions[2].height != 45:
        fail(case, f"row 2 is {ws.row_dimensions[2].height} high")
    # openpyxl gives the header's text in the format's own codes, a literal ampersand doubled.
    if ws.page_setup.paperSize != 9 or ws.oddHeader.center.text != "Итоги && выводы":
        fail(case, f"paper {ws.page_setup.paperSize}, header {ws.oddHeader.center.text!r}")


def main():
    fixture, folder = sys.argv[1], Path(sys.argv[2])
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    subprocess.run([fixture, str(folder)], check=True)

    sheets = {}
    for case in ["default", "default-again", "formulas", "controls"]:
        ws, texts, expected = load(case, folder)
        sheets[case] = ws
        check_values(case, ws, texts, expected)
        check_format(case, ws)

    first, second = sheets["default"], sheets["default-again"]
    for row in range(1, ROWS + 1):
        for col in range(1, COLUMNS + 1):
            if first.cell(row, col).value != second.cell(row, col).value:
                fail("two writes", f"differ at {get_column_letter(col)}{row}")
    for case in ["default", "formulas", "controls"]:
        check_results(case, folder)
    check_features(folder)

    for p in problems:
        print(p)
    print(f"{len(problems)} problems in {len(sheets)} workbooks")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
