# shellcheck shell=bash
# Debian's source packages, and the checks of the Windows build under Wine. Sourced by
# scripts/package-windows, not run.

# apt-get source needs deb-src entries; they are added beside the machine's own sources.
kvarton_windows_enable_sources() {
  if [ -n "$(apt-get source --print-uris -qq zlib 2>/dev/null | awk '/\.dsc/')" ]; then
    return 0
  fi
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "Включаются исходные пакеты Debian (deb-src)" >&2
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
      $sudo tee /etc/apt/sources.list.d/kvarton-deb-src.sources >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
      $sudo tee /etc/apt/sources.list.d/kvarton-deb-src.list >/dev/null
  fi
  $sudo apt-get update -qq
}

KVARTON_WINE_RUN="$KVARTON_ROOT/scripts/windows/wine-run"

# Before the long build of the libraries: the check needs Wine's loader and its wineserver, which a
# machine that had Wine from before may have from other packages than ours.
kvarton_windows_check_wine() {
  local program
  for program in /usr/lib/wine/wine64 "$(command -v wineserver || echo wineserver)"; do
    if [ ! -x "$program" ]; then
      echo "Для проверки под Wine нет программы $program (пакеты wine64 и wine)" >&2
      return 1
    fi
  done
}

# The independent reader of the workbooks is Debian's openpyxl, for the system's Python.
KVARTON_PYTHON3=/usr/bin/python3
# A Cyrillic user: the profile, the documents and the temporary folder all have Cyrillic paths,
# while Wine's ANSI code page (from the C or English locale) cannot spell them.
KVARTON_WINE_USER="Иван"

kvarton_windows_wine() {
  timeout -k 10 "${KVARTON_WINE_TIMEOUT:-300}" "$KVARTON_WINE_RUN" "$@"
}

# Waits until the prefix runs no program of ours (Wine's own services in C:\windows stay): an
# uninstaller, for one, ends only after a copy of itself has finished.
kvarton_windows_wine_settle() {
  local deadline=$((SECONDS + 120)) pid busy program
  while :; do
    busy=""
    for pid in $(pgrep -f '\.exe' || true); do
      program=$(head -z -n 1 "/proc/$pid/cmdline" 2>/dev/null | tr -d '\0') || continue
      case "$program" in *.exe | *.EXE) ;; *) continue ;; esac
      case "$program" in [Cc]:\\[Ww]indows\\*) continue ;; esac
      grep -qxF "WINEPREFIX=$WINEPREFIX" < <(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null) || continue
      busy="$program"
    done
    [ -z "$busy" ] && return 0
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "Под Wine не завершилась программа $busy" >&2
      return 1
    fi
    sleep 1
  done
}

# One wineserver for the whole check: starting one for every program costs seconds each. Its
# services start with the first program and would hold that program's output open (a test's
# output pipe never closes): a first program starts them with nothing to hold.
kvarton_windows_wine_start() {
  wineserver -p
  kvarton_windows_wine cmd /c exit </dev/null >/dev/null 2>&1
}

# Ends the prefix's wineserver and everything in it; the next run finds none left over.
kvarton_windows_wine_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}

# A new prefix in FOLDER, with real documents and desktop folders inside it (Wine links them to
# the Unix home otherwise).
kvarton_windows_new_wine_prefix() {
  local folder=$1
  if [ -d "$folder/prefix" ]; then
    WINEPREFIX="$folder/prefix" kvarton_windows_wine_stop
  fi
  rm -rf "$folder"
  mkdir -p "$folder/home"
  export HOME="$folder/home" USER="$KVARTON_WINE_USER" LOGNAME="$KVARTON_WINE_USER"
  export WINEPREFIX="$folder/prefix" LANG=C.UTF-8 LC_ALL=C.UTF-8
  kvarton_windows_wine wineboot -i >/dev/null 2>&1
  kvarton_windows_wine_stop
  kvarton_windows_wine_start
  local profile="$WINEPREFIX/drive_c/users/$KVARTON_WINE_USER" link
  [ -d "$profile" ] || { echo "Wine не создал профиль $profile" >&2; return 1; }
  for link in Documents Desktop; do
    rm -f "$profile/$link"
    mkdir -p "$profile/$link"
  done
}

# Where Windows programs of the build find their DLLs: the cross-built libraries and the MinGW
# runtime (libstdc++, libgcc_s, libwinpthread).
kvarton_windows_dll_path() {
  local prefix=$1 dir path="" triple_cxx="$KVARTON_WINDOWS_TRIPLE-g++-posix"
  for dir in "$prefix/bin" \
             "$(dirname "$("$triple_cxx" -print-file-name=libstdc++-6.dll)")" \
             "$(dirname "$("$triple_cxx" -print-file-name=libwinpthread-1.dll)")"; do
    path+="${path:+;}Z:${dir//\//\\}"
  done
  echo "$path"
}

kvarton_windows_fail() {
  echo "Проверка под Wine: $*" >&2
  return 1
}

# Programs that Linux scripts run as commands: a wrapper that starts the .exe under Wine.
kvarton_windows_wrapper() {
  local exe=$1 into=$2 name
  name=$(basename "$exe" .exe)
  mkdir -p "$into"
  printf '#!/bin/sh\nexec "%s" "%s" "$@"\n' "$KVARTON_WINE_RUN" "$exe" >"$into/$name"
  chmod +x "$into/$name"
  echo "$into/$name"
}

# Every test of the build, the pinned outputs, the scenario outputs byte for byte.
kvarton_windows_run_tests() {
  local tree=$1 out=$2
  echo "Тесты под Wine…" >&2
  # The tests that hand a program to a Python checker run below, through wrappers.
  ctest --test-dir "$tree" --output-on-failure --timeout 900 -E '^(Golden\.|ReportReadBack\.|CommandLine$)'

  local bin="$out/wine-bin"
  local golden="$KVARTON_ROOT/tests/golden" dump fixture
  dump=$(kvarton_windows_wrapper "$tree/tests/golden/golden_dump.exe" "$bin")
  fixture=$(kvarton_windows_wrapper "$tree/tests/report/report_fixture.exe" "$bin")
  "$KVARTON_PYTHON3" "$golden/golden_check.py" calc "$dump" "$golden/calc_panels.txt"
  "$KVARTON_PYTHON3" "$golden/golden_check.py" report "$dump" "$out/checks/golden-workbooks" \
    "$golden/report_cells.txt" "$golden/report_results.txt" "$golden/report_packages.txt"
  "$KVARTON_PYTHON3" "$KVARTON_ROOT/tests/report/read_back.py" "$fixture" "$out/checks/read-back"
  # The command line of the windowed program: what it prints reaches its pipes under Wine too.
  KVARTON_CHECK_WINDOWS=1 "$KVARTON_PYTHON3" "$KVARTON_ROOT/tests/app/check_command_line.py" \
    "$(kvarton_windows_wrapper "$tree/src/app/kvarton.exe" "$bin")" \
    "$KVARTON_ROOT/fuzz/corpus" "$out/checks/command-line"
  echo "Закрепленные результаты расчетов и отчета совпадают с Linux" >&2

  # What a scenario prints must be the Linux output, byte for byte: ctest above ran every scenario
  # with --compare, in the order and with the data folders its chains need (tests/scenarios).
  kvarton_windows_wine_settle
  echo "Вывод сценариев совпадает с Linux байт в байт" >&2
}

# The Windows name of a folder in the prefix's drive C:.
kvarton_windows_path() {
  local rel=${1#"$WINEPREFIX/drive_c/"}
  echo "C:\\${rel//\//\\}"
}

# The console twin as a user meets it: `kvarton …` typed in cmd.exe with the program's folder on
# the PATH, where cmd runs kvarton.com before kvarton.exe. It does the command line's work in the
# console (the statuses 0, 1 and 2 of the summary, help, version, mistakes) and hands a report to
# open to the windowed program, which opens it (its work is saved) while the twin has returned.
kvarton_windows_try_console_twin() {
  local folder=$1 out=$2 subsystem
  subsystem=$("$KVARTON_WINDOWS_TRIPLE-objdump" -p "$folder/kvarton.com" | awk '/^Subsystem/ {print $3, $4}')
  [ "$subsystem" = "(Windows CUI)" ] || kvarton_windows_fail "kvarton.com не консольная программа: $subsystem"
  local typed="$out/wine-bin/typed/kvarton"
  mkdir -p "$(dirname "$typed")"
  printf '#!/bin/sh\nWINEPATH="%s;$WINEPATH" exec "%s" cmd /c kvarton "$@"\n' \
    "$(kvarton_windows_path "$folder")" "$KVARTON_WINE_RUN" >"$typed"
  chmod +x "$typed"
  KVARTON_CHECK_WINDOWS=1 "$KVARTON_PYTHON3" "$KVARTON_ROOT/tests/app/check_command_line.py" "$typed" \
    "$KVARTON_ROOT/fuzz/corpus" "$out/checks/console-twin" ||
    kvarton_windows_fail "команда kvarton в cmd.exe работает не так, как ожидалось"
  kvarton_windows_wine_settle

  local works="$out/checks/console-twin-works"
  mkdir -p "$works"
  WINEQT_QPA_PLATFORM=offscreen KVARTON_EXIT_AFTER_FIRST_PAINT=1 KVARTON_WORKS_DIR="$works" \
    timeout 60 "$typed" "$KVARTON_ROOT/fuzz/corpus/report.xlsx" </dev/null ||
    kvarton_windows_fail "kvarton.com не передал отчет программе kvarton.exe"
  kvarton_windows_wine_settle
  compgen -G "$works/work-*.json" >/dev/null ||
    kvarton_windows_fail "kvarton.exe, запущенный через kvarton.com, не открыл отчет (нет работы в $works)"
  echo "kvarton в cmd.exe: справка, версия, ошибка, коды сводки 0, 1, 2 и отчет, переданный окну" >&2
}

# The installer, silently, as a user without administrator rights would run it; the installed
# program started; a report written into the documents folder by the installed libraries and
# read back; the uninstaller. Then the portable copy unzipped into a Cyrillic folder and started.
kvarton_windows_try_packages() {
  local tree=$1 out=$2
  local setup zip profile installed menu docs
  setup=$(ls "$out"/Kvarton-*-win64-setup.exe)
  zip=$(ls "$out"/Kvarton-*-win64-portable.zip)
  profile="$WINEPREFIX/drive_c/users/$KVARTON_WINE_USER"
  installed="$profile/AppData/Local/Programs/Kvarton"
  menu="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Квартон"
  docs="$profile/Documents"

  echo "Установка $setup под Wine…" >&2
  kvarton_windows_wine "$setup" /S
  kvarton_windows_wine_settle
  [ -f "$installed/kvarton.exe" ] || kvarton_windows_fail "kvarton.exe не установлен в $installed"
  [ -f "$installed/kvarton.com" ] || kvarton_windows_fail "kvarton.com не установлен в $installed"
  [ -f "$installed/platforms/qwindows.dll" ] || kvarton_windows_fail "нет platforms/qwindows.dll"
  [ -f "$menu/Квартон.lnk" ] || kvarton_windows_fail "нет ярлыка «Квартон» в меню «Пуск» ($menu)"

  # The installed program starts, paints its first window and ends.
  WINEQT_QPA_PLATFORM=offscreen KVARTON_EXIT_AFTER_FIRST_PAINT=1 \
    kvarton_windows_wine "$installed/kvarton.exe" ||
    kvarton_windows_fail "установленная программа не запустилась"
  kvarton_windows_wine_settle
  kvarton_windows_try_console_twin "$installed" "$out"

  # The scenario runner beside the installed program uses its DLLs and plugins; the report goes
  # where the program puts it, the documents folder "C:\users\Иван\Documents".
  cp "$tree/tools/scenario/kvarton-scenario.exe" "$installed/"
  kvarton_windows_wine "$installed/kvarton-scenario.exe" \
    "$KVARTON_ROOT/tests/scenarios/report_from_step16.scn" >/dev/null ||
    kvarton_windows_fail "сценарий отчета в установленной программе не прошел"
  kvarton_windows_wine_settle
  rm "$installed/kvarton-scenario.exe"
  "$KVARTON_PYTHON3" "$KVARTON_ROOT/tests/scenarios/check_reports.py" "$docs" ||
    kvarton_windows_fail "отчеты в папке документов $docs неверны"
  echo "Установленная программа записала отчеты в $docs:" >&2
  ls "$docs" >&2

  kvarton_windows_wine "$installed/Uninstall.exe" /S
  kvarton_windows_wine_settle
  local left
  for left in kvarton.exe kvarton.com; do
    [ ! -e "$installed/$left" ] || kvarton_windows_fail "удаление оставило $installed/$left"
  done
  [ ! -e "$menu" ] || kvarton_windows_fail "удаление оставило меню $menu"
  echo "Установка, запуск, отчет и удаление прошли" >&2

  local stick="$profile/Desktop/Флешка"
  mkdir -p "$stick"
  unzip -q "$zip" -d "$stick"
  local portable
  portable=$(find "$stick" -name kvarton.exe -printf '%h\n' | head -n 1)
  [ -f "$portable/kvarton.ini.example" ] || kvarton_windows_fail "в переносной копии нет kvarton.ini.example"
  kvarton_windows_wine "$portable/kvarton.com" --version </dev/null | grep -q "^Квартон " ||
    kvarton_windows_fail "консольная kvarton.com переносной копии не выводит версию"
  WINEQT_QPA_PLATFORM=offscreen KVARTON_EXIT_AFTER_FIRST_PAINT=1 \
    kvarton_windows_wine "$portable/kvarton.exe" ||
    kvarton_windows_fail "переносная копия не запустилась из $portable"
  kvarton_windows_wine_settle
  echo "Переносная копия запускается из папки с кириллицей" >&2
}

kvarton_windows_test_under_wine() {
  local tree=$1 out=$2 prefix=$3
  # A subshell: the Wine user's HOME and locale stay out of the rest of the script.
  (
    WINEPATH=$(kvarton_windows_dll_path "$prefix")
    export WINEPATH
    trap kvarton_windows_wine_stop EXIT
    rm -rf "$out/checks"
    mkdir -p "$out/checks"
    kvarton_windows_new_wine_prefix "$out/wine"
    kvarton_windows_run_tests "$tree" "$out"
    kvarton_windows_try_packages "$tree" "$out"
    kvarton_windows_wine_stop
  )
}
