# Shared by the scripts: installs the Debian packages the build needs, when any is missing.
# Sourced, not run.

KVARTON_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KVARTON_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libxlsxwriter-dev zlib1g-dev libminizip-dev libpugixml-dev
  nlohmann-json3-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core python3 python3-openpyxl
  desktop-file-utils appstream locales
)
# The locales the tests run under besides C: Russian, as learners' computers have it, and German
# and Turkish, whose numbers and letters differ from C's in other ways.
KVARTON_TEST_LOCALES=(ru_RU.UTF-8 de_DE.UTF-8 tr_TR.UTF-8)
# scripts/package-windows: the MinGW-w64 cross compiler, Qt's host tools of the same version as
# the Qt source, Debian's source packages (dpkg-dev), the installer maker, and Wine with a font for
# the tests. wine64 alone (no recommends) lacks the commands `wine` and `wineserver`, which the
# package `wine` puts on the PATH.
KVARTON_WINDOWS_PACKAGES=(
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev qt6-base-dev-tools dpkg-dev patch
  nsis zip unzip wine64 wine fonts-dejavu-core
)
# scripts/fuzz only: clang with libFuzzer and the sanitizers' runtime.
KVARTON_FUZZ_PACKAGES=(clang-14 libclang-rt-14-dev)

kvarton_missing_packages() {
  local pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || echo "$pkg"
  done
}

kvarton_install() {
  local missing
  missing=$(kvarton_missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  echo "Устанавливаются пакеты: $(echo $missing | tr '\n' ' ')" >&2
  # Other builds on the machine may hold apt's lock for a while.
  $sudo apt-get -o DPkg::Lock::Timeout=600 update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 -o Acquire::Retries=3 \
    install -y -qq --no-install-recommends $missing
}

# Generates the test locales that are missing (package locales).
kvarton_locales() {
  local loc missing=()
  for loc in "${KVARTON_TEST_LOCALES[@]}"; do
    locale -a 2>/dev/null | grep -qix "$(echo "$loc" | sed 's/UTF-8/utf8/')" || missing+=("$loc")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  echo "Создаются локали: ${missing[*]}" >&2
  for loc in "${missing[@]}"; do
    $sudo localedef -i "${loc%%.*}" -f UTF-8 "$loc"
  done
}

kvarton_build() {
  local preset="${1:-default}"
  cmake --preset "$preset" -S "$KVARTON_ROOT" >/dev/null
  cmake --build --preset "$preset"
}
