"""Compares what the program computes and writes today with the pinned outputs checked in here.

usage: golden_check.py calc GOLDEN_DUMP EXPECTED [--update]
       golden_check.py report GOLDEN_DUMP WORK_FOLDER EXPECTED_CELLS EXPECTED_RESULTS EXPECTED_BYTES [--update]

calc:   every panel text of steps 13-16 on a road through every option, for many random works.
report: the report workbook of many random works, read back with openpyxl (a reader independent
        of the writer): the first sheet (the inputs) cell by cell with its formatting in
        EXPECTED_CELLS, the sheets and the results sheet with its notes, its charts and their series
        in EXPECTED_RESULTS, and the bytes of every part of the package but the creation time, and of
        the first sheet's own part, in EXPECTED_BYTES.
--update rewrites the expected files; read their difference before committing it.
"""
import hashlib
import shutil
import subprocess
import sys
import zipfile
from pathlib import Path

CALC_SEEDS = (1, 3000, 20)  # first seed, count, seeds printed in full
REPORT_SEEDS = (1, 500)
REPORT_FULL = 3  # workbooks whose cells are printed in full


def compare(actual, expected_path, update):
    expected_path = Path(expected_path)
    if update:
        expected_path.write_text(actual, encoding="utf-8")
        return 0
    expected = expected_path.read_text(encoding="utf-8")
    if actual == expected:
        return 0
    a, e = actual.splitlines(), expected.splitlines()
    seed = "?"
    for i in range(max(len(a), len(e))):
        x = a[i] if i < len(a) else "<end>"
        y = e[i] if i < len(e) else "<end>"
        if x.startswith("# seed") and x == y:
            seed = x
        if x != y:
            print(f"{expected_path.name} differs at line {i + 1} (after '{seed}'):\n  expected: {y}\n  actual:   {x}")
            break
    return 1


def calc(dump, expected, update):
    first, count, full = CALC_SEEDS
    out = subprocess.run([dump, "calc", str(first), str(count), str(full)], check=True,
                         capture_output=True, text=True).stdout
    return compare(out, expected, update)


def describe_cell(c):
    f, a, b = c.font, c.alignment, c.border
    side = lambda s: s.style if s is not None and s.style else "-"
    return (f"{c.coordinate} {c.data_type} {c.value!r} fmt={c.number_format!r} "
            f"font={f.name},{f.sz},{'b' if f.b else ''}{'i' if f.i else ''} "
            f"align={a.horizontal},{a.vertical},{'wrap' if a.wrap_text else ''},{'shrink' if a.shrink_to_fit else ''},"
            f"{a.indent},{a.text_rotation} border={side(b.left)},{side(b.top)},{side(b.right)},{side(b.bottom)} "
            f"fill={c.fill.fill_type}" + (f" note={c.comment.text!r}" if c.comment else ""))


def rich_text(title):
    if title is None or title.tx is None or title.tx.rich is None:
        return None
    return "".join(r.t for p in title.tx.rich.p for r in (p.r or []))


def describe_fill(shape):
    if shape is None:
        return "-"
    if shape.solidFill is not None:
        return f"solid {shape.solidFill.srgbClr}"
    if shape.pattFill is not None:
        return f"pattern {shape.pattFill.prst} {shape.pattFill.fgClr.srgbClr} on {shape.pattFill.bgClr.srgbClr}"
    return "-"


def describe_chart(number, chart):
    """A chart with its place, its captions and each series with the cells it shows."""
    anchor = chart.anchor._from
    lines = [f"chart {number} {chart.tagname} {chart.type} {chart.grouping} at row {anchor.row + 1} column "
             f"{anchor.col} title {rich_text(chart.title)!r} x {rich_text(chart.x_axis.title)!r} "
             f"y {rich_text(chart.y_axis.title)!r} format {chart.y_axis.numFmt.formatCode if chart.y_axis.numFmt else None!r}"]
    for series in chart.series:
        category = series.cat.strRef or series.cat.numRef
        lines.append(f"  series {series.tx.v!r} categories {category.f} values {series.val.numRef.f} "
                     f"fill {describe_fill(series.spPr)} labels {series.dLbls is not None}")
    return lines


def describe_sheet(ws):
    lines = [f"sheet {ws.title!r} dims {ws.dimensions}"]
    for row in ws.iter_rows():
        for c in row:
            if c.value is not None or c.has_style:
                lines.append(describe_cell(c))
    lines.append(f"merged {sorted(str(r) for r in ws.merged_cells.ranges)}")
    for letter, d in sorted(ws.column_dimensions.items()):
        lines.append(f"column {letter} width {d.width} custom {d.customWidth} {d.min}-{d.max}")
    for number, d in sorted(ws.row_dimensions.items()):
        if d.height is not None:
            lines.append(f"row {number} height {d.height}")
    ps = ws.page_setup
    lines.append(f"page {ps.orientation} paper {ps.paperSize} fit {ps.fitToWidth}x{ps.fitToHeight} "
                 f"fitToPage {ws.sheet_properties.pageSetUpPr.fitToPage if ws.sheet_properties.pageSetUpPr else None} "
                 f"margins {ws.page_margins.left},{ws.page_margins.right},{ws.page_margins.top},{ws.page_margins.bottom} "
                 f"header {ws.oddHeader.center.text!r} freeze {ws.freeze_panes} filter {ws.auto_filter.ref}")
    lines.append(f"charts {len(ws._charts)}")
    if ws.row_breaks.brk:
        lines.append(f"page breaks before rows {[b.id + 1 for b in ws.row_breaks.brk]}")
    for number, chart in enumerate(ws._charts, 1):
        lines.extend(describe_chart(number, chart))
    return lines


def describe_workbook(path):
    """The names of the sheets and the description of each sheet."""
    import openpyxl
    wb = openpyxl.load_workbook(path)
    return wb.sheetnames, ["\n".join(describe_sheet(ws)) + "\n" for ws in wb.worksheets]


def package_digest(path, only=None):
    h = hashlib.sha256()
    with zipfile.ZipFile(path) as z:
        for name in sorted(z.namelist()):
            if name == "docProps/core.xml" or (only and name != only):  # core.xml holds the time of writing
                continue
            h.update(name.encode() + b"\0" + hashlib.sha256(z.read(name)).digest())
    return h.hexdigest()


def pinned(seed, first, text):
    """A workbook's text in full for the first few seeds, as a digest for the others."""
    if seed < first + REPORT_FULL:
        return f"# seed {seed}\n{text}"
    return f"# seed {seed} digest {hashlib.sha256(text.encode()).hexdigest()[:16]}\n"


def report(dump, folder, expected_cells, expected_results, expected_bytes, update):
    first, count = REPORT_SEEDS
    folder = Path(folder)
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    notes = subprocess.run([dump, "report", str(folder), str(first), str(count)], check=True,
                           capture_output=True, text=True).stdout
    cells, results, packages = [notes], [notes], [notes]
    for seed in range(first, first + count):
        path = folder / f"seed-{seed}.xlsx"
        if not path.exists():
            continue
        names, sheets = describe_workbook(path)
        cells.append(pinned(seed, first, sheets[0]))
        results.append(pinned(seed, first, f"sheets {names}\n" + "".join(sheets[1:])))
        packages.append(f"# seed {seed} package {package_digest(path)} "
                        f"first sheet {package_digest(path, 'xl/worksheets/sheet1.xml')}\n")
    failed = compare("".join(cells), expected_cells, update)
    failed |= compare("".join(results), expected_results, update)
    failed |= compare("".join(packages), expected_bytes, update)
    return failed


def main(argv):
    update = "--update" in argv
    args = [a for a in argv[1:] if a != "--update"]
    if len(args) == 3 and args[0] == "calc":
        return calc(args[1], args[2], update)
    if len(args) == 6 and args[0] == "report":
        return report(*args[1:], update)
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
