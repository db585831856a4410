# Shared by the scripts: installs the Debian packages the build needs, when any is missing.
# Sourced, not run.

KVARTON_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KVARTON_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev libxlsxwriter-dev zlib1g-dev libminizip-dev libpugixml-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core python3 python3-openpyxl
  desktop-file-utils appstream
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
  $sudo apt-get update -qq
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
}

kvarton_build() {
  local preset="${1:-default}"
  cmake --preset "$preset" -S "$KVARTON_ROOT" >/dev/null
  cmake --build --preset "$preset"
}
