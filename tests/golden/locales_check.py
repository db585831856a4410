"""Workbooks are the same on every computer: the report (both sheets and the charts) and the summary
written under Russian, German and Turkish locales equal those written under C, part for part and
byte for byte but the moment of creation, and the program reads them back.

usage: locales_check.py GOLDEN_DUMP KVARTON WORK_FOLDER LOCALE...
"""
import os
import shutil
import subprocess
import sys
import zipfile

dump, kvarton, work = sys.argv[1:4]
locales = ["C"] + sys.argv[4:]
REPORTS = 12  # random works
failures = []


def parts(path):
    with zipfile.ZipFile(path) as z:
        # docProps/core.xml holds the moment the workbook was made.
        return {n: z.read(n) for n in z.namelist() if n != "docProps/core.xml"}


def environment(locale):
    env = dict(os.environ, LC_ALL=locale, LANG=locale)
    for display in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        env.pop(display, None)
    return env


written = {}
for locale in locales:
    folder = os.path.join(work, locale)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    subprocess.run([dump, "report", folder, "1", str(REPORTS)], check=True, env=environment(locale))
    summary = os.path.join(work, f"summary-{locale}.xlsx")
    if os.path.exists(summary):
        os.remove(summary)
    # The summary reads every report back: status 0 only when each was read.
    done = subprocess.run([kvarton, "--summary", summary, folder], capture_output=True, env=environment(locale),
                          timeout=300)
    if done.returncode != 0:
        failures.append(f"{locale}: the summary ended with {done.returncode}: {done.stderr.decode('utf-8')}")
        continue
    written[locale] = {name: parts(os.path.join(folder, name)) for name in sorted(os.listdir(folder))}
    written[locale]["summary"] = parts(summary)

for locale in locales[1:]:
    if locale not in written or "C" not in written:
        continue
    for name, expected in written["C"].items():
        actual = written[locale].get(name)
        if actual is None:
            failures.append(f"{locale}: {name} not written")
            continue
        for part, content in expected.items():
            if actual.get(part) != content:
                failures.append(f"{locale}: {name}, part {part} differs from the one written under C")
                break

for failure in failures:
    print(failure)
print(f"{len(written)} locales, {REPORTS} reports and a summary each: "
      + ("the same everywhere" if not failures else f"{len(failures)} differences"))
sys.exit(1 if failures else 0)
