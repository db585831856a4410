"""The command line of kvarton with no display: --help and --version, a mistaken option, and
--summary with its exit statuses, the rows read and the files not read.

Usage: check_command_line.py KVARTON CORPUS_FOLDER WORK_FOLDER

KVARTON is the program, or a script that runs it (under Wine, through cmd /c).
"""
import os
import shutil
import subprocess
import sys
import zipfile

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


def with_texts(source, target, changes):
    """A copy of the report `source` whose shared strings have `changes` (old, new) made once each."""
    with zipfile.ZipFile(source) as given, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as made:
        for item in given.infolist():
            data = given.read(item)
            if item.filename == "xl/sharedStrings.xml":
                text = data.decode("utf-8")
                for old, new in changes:
                    expect(f"{old} in the report's texts", old in text)
                    text = text.replace(old, new, 1)
                data = text.encode("utf-8")
            made.writestr(item, data)


def rows_of(sheet, first):
    return [[c.value for c in row] for row in sheet.iter_rows(min_row=first)]


report = os.path.join(corpus, "report.xlsx")
good_reports = ["report.xlsx", "report-libreoffice.xlsx", "report-kopecks.xlsx", "report-kopecks-libreoffice.xlsx",
                "report-kopecks-openpyxl.xlsx"]


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
# Entries that are no files of data: each is named with its reason, none keeps the summary waiting.
# A pipe and a link loop are what a Linux folder can hold; a Windows program never meets them (under
# Wine the pipe is a file not found and the loop is not listed), so its check leaves them out.
on_windows = os.environ.get("KVARTON_CHECK_WINDOWS") == "1"
odd_entries = [] if on_windows else ["канал.xlsx", "петля.xlsx"]
if not on_windows:
    os.mkfifo(os.path.join(reports, "канал.xlsx"))
    os.symlink("петля.xlsx", os.path.join(reports, "петля.xlsx"))

# Four bad entries among three reports: written, status 1, the bad ones named on standard error.
out = os.path.join(work, "Сводка.xlsx")
status, said = run(out, reports)
expect(f"status 1 with bad files, got {status}: {said}", status == 1)
expect("stderr names foreign.xlsx", "«foreign.xlsx» не прочитан: это не отчет Квартона" in said)
expect("stderr names truncated.xlsx", "«truncated.xlsx» не прочитан" in said)
if not on_windows:
    expect(f"stderr names the pipe: {said}",
           "«канал.xlsx» не прочитан: это не файл с данными, а устройство или канал." in said)
    expect(f"stderr names the link loop: {said}", "«петля.xlsx» не прочитан: это ссылка, которая не ведет к файлу" in said)
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
expect(f"unread {named}", named == ["foreign.xlsx", "truncated.xlsx", *odd_entries])
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

# One report whose institution no cell can hold among five good ones: the five are summarised, the
# sixth is named with its cell.
group = os.path.join(work, "группа")
os.makedirs(group)
for name in good_reports:
    shutil.copy(os.path.join(corpus, name), group)
with_texts(report, os.path.join(group, "длинный.xlsx"), [("<t>Сад</t>", "<t>" + "Ж" * 32768 + "</t>")])
status, said = run(os.path.join(work, "Сводка группы.xlsx"), group)
expect(f"status 1 with the over-long report, got {status}: {said}", status == 1)
expect(f"stderr names it: {said}", "Файл «длинный.xlsx» не прочитан: в ячейке B2 больше 32767 знаков." in said)
book = openpyxl.load_workbook(os.path.join(work, "Сводка группы.xlsx"))
files = sorted(row[0] for row in rows_of(book["Сводка"], 4))
expect(f"the five good ones summarised: {files}", files == sorted(good_reports))
unread = rows_of(book["Не прочитаны"], 2)
expect(f"the sixth named: {unread}", [row[0] for row in unread] == ["длинный.xlsx"])

# A name of 16384 Cyrillic letters fits a cell and is summarised whole; a surname and initials that
# each fit their own cell, but not one together, are cut, and the row says so.
issue = os.path.join(work, "Кириллица.xlsx")
with_texts(report, issue, [("<t>Сад</t>", "<t>" + "Ж" * 16384 + "</t>")])
learner = os.path.join(work, "Слушатель.xlsx")
with_texts(report, learner, [("<t>Петрова-Водкина</t>", "<t>" + "Ф" * 20000 + "</t>"),
                             ("<t>П</t>", "<t>" + "И" * 20000 + "</t>")])
status, said = run(os.path.join(work, "Сводка длинных.xlsx"), issue, learner)
expect(f"status 0 with long texts, got {status}: {said}", status == 0)
rows = {row[0]: row for row in rows_of(openpyxl.load_workbook(os.path.join(work, "Сводка длинных.xlsx"))["Сводка"], 4)}
expect("the long name whole", rows.get("Кириллица.xlsx", [None] * 3)[2] == "Ж" * 16384)
cut = rows.get("Слушатель.xlsx", [None] * 4)
expect(f"the learner cut to a cell: {len(cut[3] or '')}", cut[3] == "Ф" * 20000 + " " + "И" * 12765 + "…")
expect(f"the row says so: {cut[-1]}", "В столбце «Слушатель (фамилия и инициалы)» текст сокращен" in (cut[-1] or ""))

if failures:
    print("\n".join(failures))
    sys.exit(1)
print("kvarton --help, --version, a mistake and --summary: statuses 0, 1, 2 and the summary's sheets as expected")
