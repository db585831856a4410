"""Compares what the program computes and writes today with the pinned outputs checked in here.

usage: golden_check.py calc GOLDEN_DUMP EXPECTED [--update]
       golden_check.py report GOLDEN_DUMP WORK_FOLDER EXPECTED_CELLS EXPECTED_BYTES [--update]

calc:   every panel text of steps 13-16 on a road through every option, for many random works.
report: the report workbook of many random works, read back with openpyxl (a reader independent
        of the writer) cell by cell with its formatting, and the bytes of every part of the package
        but the creation time.
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
            f"fill={c.fill.fill_type}")


def describe_workbook(path):
    import openpyxl
    wb = openpyxl.load_workbook(path)
    lines = [f"sheets {wb.sheetnames}"]
    for ws in wb.worksheets:
        lines.append(f"sheet {ws.title!r} dims {ws.dimensions}")
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
    return lines


def package_digest(path):
    h = hashlib.sha256()
    with zipfile.ZipFile(path) as z:
        for name in sorted(z.namelist()):
            if name == "docProps/core.xml":  # holds the time of writing
                continue
            h.update(name.encode() + b"\0" + hashlib.sha256(z.read(name)).digest())
    return h.hexdigest()


def report(dump, folder, expected_cells, expected_bytes, update):
    first, count = REPORT_SEEDS
    folder = Path(folder)
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    notes = subprocess.run([dump, "report", str(folder), str(first), str(count)], check=True,
                           capture_output=True, text=True).stdout
    cells, packages = [notes], [notes]
    for seed in range(first, first + count):
        path = folder / f"seed-{seed}.xlsx"
        if not path.exists():
            continue
        text = "\n".join(describe_workbook(path)) + "\n"
        if seed < first + REPORT_FULL:
            cells.append(f"# seed {seed}\n{text}")
        else:
            cells.append(f"# seed {seed} digest {hashlib.sha256(text.encode()).hexdigest()[:16]}\n")
        packages.append(f"# seed {seed} package {package_digest(path)}\n")
    failed = compare("".join(cells), expected_cells, update)
    failed |= compare("".join(packages), expected_bytes, update)
    return failed


def main(argv):
    update = "--update" in argv
    args = [a for a in argv[1:] if a != "--update"]
    if len(args) == 3 and args[0] == "calc":
        return calc(args[1], args[2], update)
    if len(args) == 5 and args[0] == "report":
        return report(*args[1:], update)
    print(__doc__)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
