"""The command line of kvarton with no display: --help and --version, a mistaken option, and
--summary with its exit statuses, the rows read and the files not read.

Usage: check_command_line.py KVARTON CORPUS_FOLDER WORK_FOLDER

KVARTON is the program, or a script that runs it (under Wine, through cmd /c).
"""
import os
import shutil
import subprocess
import sys

import openpyxl

kvarton, corpus, work = sys.argv[1:4]
shutil.rmtree(work, ignore_errors=True)
os.makedirs(work)
environment = dict(os.environ)
environment.pop("DISPLAY", None)  # no display is needed
environment.pop("WAYLAND_DISPLAY", None)
environment.pop("QT_QPA_PLATFORM", None)
failures = []


def call(*args):
    done = subprocess.run([kvarton, *args], capture_output=True, env=environment, timeout=120)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def run(*args):
    status, _, said = call("--summary", *args)
    return status, said


def expect(what, condition):
    if not condition:
        failures.append(what)


# Help and version on standard output, status 0; a mistaken option on standard error, status 2.
for words, texts in [(["--help"], ["kvarton --summary СВОДКА.xlsx ОТЧЕТ_ИЛИ_ПАПКА…", "kvarton --version"]),
                     (["-h"], ["kvarton ОТЧЕТ.xlsx"]),
                     (["--version"], ["Квартон "])]:
    status, printed, said = call(*words)
    expect(f"{words}: status 0 and the text, got {status}: {printed!r} {said!r}",
           status == 0 and all(t in printed for t in texts))
status, printed, said = call("--summery", "Сводка.xlsx")
expect(f"a mistaken option: status 2 and its name, got {status}: {printed!r} {said!r}",
       status == 2 and "Неизвестный параметр «--summery»" in said and not printed)

reports = os.path.join(work, "отчеты")
os.makedirs(reports)
for name in ["report.xlsx", "report-libreoffice.xlsx", "report-kopecks.xlsx", "foreign.xlsx", "truncated.xlsx"]:
    shutil.copy(os.path.join(corpus, name), reports)

# Two bad files among three reports: written, status 1, the bad files named on standard error.
out = os.path.join(work, "Сводка.xlsx")
status, said = run(out, reports)
expect(f"status 1 with bad files, got {status}: {said}", status == 1)
expect("stderr names foreign.xlsx", "«foreign.xlsx» не прочитан: это не отчет Квартона" in said)
expect("stderr names truncated.xlsx", "«truncated.xlsx» не прочитан" in said)
book = openpyxl.load_workbook(out)
expect(f"sheets {book.sheetnames}", book.sheetnames == ["Сводка", "Не прочитаны", "Диаграммы"])
summary = book["Сводка"]
files = [summary.cell(row=r, column=1).value for r in range(4, summary.max_row + 1)]
expect(f"rows {files}", sorted(files) == ["report-kopecks.xlsx", "report-libreoffice.xlsx", "report.xlsx"])
expect("heads frozen", summary.freeze_panes == "E4")
expect(f"filter {summary.auto_filter.ref}", summary.auto_filter.ref is not None
       and summary.auto_filter.ref.startswith("A3:"))
cost = summary.cell(row=4, column=5)
expect(f"a pupil-hour cost is a number with one decimal: {cost.value!r} {cost.number_format}",
       isinstance(cost.value, (int, float)) and cost.number_format == "0.0")
unread = book["Не прочитаны"]
named = sorted(unread.cell(row=r, column=1).value for r in range(2, unread.max_row + 1))
expect(f"unread {named}", named == ["foreign.xlsx", "truncated.xlsx"])
expect("charts", len(book["Диаграммы"]._charts) == 2)

# Every file read: status 0. An existing summary is never replaced: status 2, nothing changed.
good = os.path.join(work, "Сводка хорошая.xlsx")
status, said = run(good, os.path.join(reports, "report.xlsx"), os.path.join(reports, "report-kopecks.xlsx"))
expect(f"status 0 when all were read, got {status}: {said}", status == 0)
before = open(out, "rb").read()
status, said = run(out, reports)
expect(f"status 2 over an existing file, got {status}", status == 2 and "уже существует" in said)
expect("the existing file unchanged", open(out, "rb").read() == before)
status, said = run(os.path.join(work, "нет папки", "Сводка.xlsx"), reports)
expect(f"status 2 in a missing folder, got {status}: {said}",
       status == 2 and said.startswith("Сводка не создана: папка «") and "нет папки" in said)
status, said = run(out)
expect(f"status 2 without reports, got {status}", status == 2)
# Paths that hold no file to read: nothing written, status 2, each path named.
empty = os.path.join(work, "пустая папка")
os.makedirs(empty)
nothing = os.path.join(work, "Сводка ничего.xlsx")
status, said = run(nothing, os.path.join(work, "нет такой папки"), empty)
expect(f"status 2 over paths without files, got {status}: {said}",
       status == 2 and "нет ни одного файла для чтения" in said and "«нет такой папки»: файл не найден." in said
       and "«пустая папка»: в папке нет файлов .xlsx." in said)
expect("no summary over paths without files", not os.path.exists(nothing))
leftovers = [n for n in os.listdir(work) if n.endswith(".part")]
expect(f"no temporary files left: {leftovers}", not leftovers)

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("kvarton --help, --version, a mistake and --summary: statuses 0, 1, 2 and the summary's sheets as expected")
