# shellcheck shell=bash
# The libraries the Windows build needs, cross-built with MinGW-w64 from Debian's own sources into
# a prefix in the cache. Sourced by scripts/package-windows, not run.
#
# The prefix lives in $KVARTON_WINDOWS_CACHE/deps-KEY (kvarton_windows_cache_key): anything that
# changes what would be built changes the key, and a run with a known key builds nothing. A run
# that stops half-way resumes with the dependency it stopped at.

# One line per dependency, built in this order:
#   name  Debian-source[=version]  builder  [configure flags...]
# `cmake` builds any CMake project as a static library (add a dependency: add a line); the other
# builders are the functions kvarton_windows_build_NAME below. zlib is pinned to the release: the
# bookworm-security source is missing from the mirror. The header-only and not yet used libraries
# are built too, so that the key does not change when the program starts using them.
KVARTON_WINDOWS_DEPENDENCIES=(
  "zlib          zlib=1:1.2.13.dfsg-1   zlib"
  "minizip       zlib=1:1.2.13.dfsg-1   minizip"
  "libxlsxwriter libxlsxwriter          cmake  -DUSE_SYSTEM_MINIZIP=ON -DBUILD_TESTS=OFF -DBUILD_EXAMPLES=OFF"
  "pugixml       pugixml                cmake  -DPUGIXML_BUILD_TESTS=OFF"
  "nlohmann-json nlohmann-json3         cmake  -DJSON_BuildTests=OFF -DJSON_Install=ON"
  "googletest    googletest             cmake  -DBUILD_GMOCK=ON"
  "qtbase        qt6-base               qt"
)

# Qt as shared libraries, with only what the program and its tests use. Host tools (moc, rcc, uic)
# come from Debian's qt6-base-dev-tools, which must be the same version as the source.
KVARTON_WINDOWS_QT_FLAGS=(
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DBUILD_SHARED_LIBS=ON
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_dbus=OFF -DFEATURE_icu=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF
  -DFEATURE_printsupport=OFF -DFEATURE_zstd=OFF -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF
  -DFEATURE_concurrent=ON -DFEATURE_testlib=ON -DFEATURE_widgets=ON
  -DFEATURE_qmake=OFF -DFEATURE_androiddeployqt=OFF
  # Debian's source has no tablet library.
  -DFEATURE_tabletevent=OFF
  # qwindows.dll's DirectWrite font database needs direct2d; 1.1 needs newer headers.
  -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF
)

KVARTON_WINDOWS_TRIPLE=x86_64-w64-mingw32
KVARTON_WINDOWS_TOOL_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev qt6-base-dev-tools)

# The exact Debian source (name_version) apt would fetch for "name" or "name=version"; asked
# once per source and run.
declare -gA KVARTON_WINDOWS_SOURCE_VERSIONS=()
kvarton_windows_source_version() {
  if [ -n "${KVARTON_WINDOWS_SOURCE_VERSIONS[$1]:-}" ]; then
    echo "${KVARTON_WINDOWS_SOURCE_VERSIONS[$1]}"
    return 0
  fi
  local dsc
  dsc=$(apt-get source --print-uris -qq "$1" 2>/dev/null | awk '/\.dsc/ && !found {print $2; found = 1}')
  if [ -z "$dsc" ]; then
    echo "Нет исходников Debian для $1 (apt-get source): включите deb-src и выполните apt-get update" >&2
    return 1
  fi
  KVARTON_WINDOWS_SOURCE_VERSIONS[$1]=${dsc%.dsc}
  echo "${dsc%.dsc}"
}

# Asks apt for all the table's sources at once: each question reads the whole source index, some
# ten seconds on a busy machine. A source the answer does not name is asked alone later.
kvarton_windows_ask_source_versions() {
  local line name source rest sources=()
  for line in "${KVARTON_WINDOWS_DEPENDENCIES[@]}"; do
    read -r name source rest <<<"$line"
    sources+=("$source")
  done
  local dsc
  declare -A by_name=()
  while read -r dsc; do
    by_name[${dsc%%_*}]=${dsc%.dsc}
  done < <(apt-get source --print-uris -qq "${sources[@]}" 2>/dev/null | awk '/\.dsc/ {print $2}')
  for source in "${sources[@]}"; do
    name=${source%%=*}
    [ -n "${by_name[$name]:-}" ] && KVARTON_WINDOWS_SOURCE_VERSIONS[$source]=${by_name[$name]}
  done
  return 0
}

# The key covers what decides the result: the table, Qt's flags and the build functions as bash
# sees them (comments and layout of this file do not count), the toolchain file, the patches, the
# exact source versions and the versions of the compiler and of Qt's host tools. Deleting the
# cache folder is always safe.
kvarton_windows_cache_key() {
  local here="$KVARTON_ROOT/scripts/windows"
  {
    declare -p KVARTON_WINDOWS_DEPENDENCIES KVARTON_WINDOWS_QT_FLAGS KVARTON_WINDOWS_TRIPLE
    # shellcheck disable=SC2046 # one word per function name
    declare -f $(compgen -A function kvarton_windows_build_) kvarton_windows_cmake_project \
      kvarton_windows_cc
    cat "$KVARTON_ROOT/cmake/MinGW64Toolchain.cmake"
    find "$here/patches" -type f | sort | xargs cat
    kvarton_windows_ask_source_versions
    local line name source rest
    for line in "${KVARTON_WINDOWS_DEPENDENCIES[@]}"; do
      read -r name source rest <<<"$line"
      kvarton_windows_source_version "$source"
    done
    dpkg-query -W "${KVARTON_WINDOWS_TOOL_PACKAGES[@]}"
  } | sha256sum | cut -c1-16
}

kvarton_windows_jobs() { nproc; }

# Runs a long build step gently: the machine is shared with other builds.
kvarton_windows_nice() { nice -n "${KVARTON_WINDOWS_NICE:-15}" "$@"; }

# Fetches and unpacks a Debian source (with its Debian patches) and applies ours from
# scripts/windows/patches/NAME (NAME without the version pin). Prints the source folder.
kvarton_windows_fetch_source() {
  local source=$1 work=$2
  local name=${source%%=*} version_dir
  version_dir="$work/src/$(kvarton_windows_source_version "$source")"
  if [ ! -f "$version_dir/.kvarton-unpacked" ]; then
    rm -rf "$version_dir" "$work/download"
    mkdir -p "$work/download" "$work/src"
    local attempt
    for attempt in 1 2 3; do
      if (cd "$work/download" && apt-get source --download-only -qq -o Acquire::Retries=3 \
                                 -o APT::Sandbox::User=root "$source" >&2); then
        break
      fi
      if [ "$attempt" = 3 ]; then
        echo "Не удалось скачать исходники $source" >&2
        [ -n "${KVARTON_WINDOWS_UNAVAILABLE:-}" ] && touch "$KVARTON_WINDOWS_UNAVAILABLE"
        return 1
      fi
      sleep $((attempt * 10))
    done
    dpkg-source --no-check -x "$work/download"/*.dsc "$version_dir" >/dev/null
    local patch
    for patch in "$KVARTON_ROOT/scripts/windows/patches/$name"/*.patch; do
      [ -e "$patch" ] || continue
      patch -d "$version_dir" -p1 --quiet --forward < "$patch" >&2
    done
    touch "$version_dir/.kvarton-unpacked"
    rm -rf "$work/download"
  fi
  echo "$version_dir"
}

# Licence and copyright texts of a bundled dependency, for the packages.
kvarton_windows_keep_licences() {
  local name=$1 src=$2 prefix=$3
  local into="$prefix/share/licenses/$name"
  mkdir -p "$into"
  cp "$src/debian/copyright" "$into/copyright"
  local f
  for f in "$src"/LICENSE* "$src"/License* "$src"/COPYING* "$src"/LICENSES; do
    [ -e "$f" ] && cp -r "$f" "$into/"
  done
  return 0
}

kvarton_windows_cc() { echo "$KVARTON_WINDOWS_TRIPLE-gcc-posix"; }

# zlib: Debian's source lacks win32/, which zlib's own build needs for Windows: the static library
# is compiled directly.
kvarton_windows_build_zlib() {
  local src=$1 build=$2 prefix=$3
  mkdir -p "$build" "$prefix/lib/pkgconfig" "$prefix/include"
  local file objects=()
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate \
              inftrees trees uncompr zutil; do
    kvarton_windows_nice "$(kvarton_windows_cc)" -O2 -c "$src/$file.c" -o "$build/$file.o"
    objects+=("$build/$file.o")
  done
  rm -f "$prefix/lib/libz.a"
  "$KVARTON_WINDOWS_TRIPLE-ar" rcs "$prefix/lib/libz.a" "${objects[@]}"
  cp "$src/zlib.h" "$src/zconf.h" "$prefix/include/"
  local version
  version=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' "$src/zlib.h")
  cat > "$prefix/lib/pkgconfig/zlib.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: zlib
Description: zlib compression library
Version: $version
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
EOF
}

# minizip from zlib's contrib, as Debian's libminizip (headers in include/minizip), with iowin32
# for libxlsxwriter's wide-character file names.
kvarton_windows_build_minizip() {
  local src=$1/contrib/minizip build=$2 prefix=$3
  mkdir -p "$build" "$prefix/include/minizip"
  local file objects=()
  for file in ioapi zip unzip mztools iowin32; do
    kvarton_windows_nice "$(kvarton_windows_cc)" -O2 -I"$prefix/include" -c "$src/$file.c" -o "$build/$file.o"
    objects+=("$build/$file.o")
  done
  rm -f "$prefix/lib/libminizip.a"
  "$KVARTON_WINDOWS_TRIPLE-ar" rcs "$prefix/lib/libminizip.a" "${objects[@]}"
  cp "$src"/{ioapi,zip,unzip,mztools,iowin32,crypt}.h "$prefix/include/minizip/"
  cat > "$prefix/lib/pkgconfig/minizip.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: minizip
Description: Minizip zip file manipulation library
Version: 1.2.13
Requires: zlib
Libs: -L\${libdir} -lminizip
Cflags: -I\${includedir}/minizip
EOF
}

kvarton_windows_cmake_project() {
  local src=$1 build=$2 prefix=$3
  shift 3
  kvarton_windows_nice cmake -S "$src" -B "$build" -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/share/kvarton/MinGW64Toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Release "$@" >&2
  kvarton_windows_nice cmake --build "$build" -j "$(kvarton_windows_jobs)" >&2
  kvarton_windows_nice cmake --install "$build" >&2
}

kvarton_windows_build_cmake() {
  local src=$1 build=$2 prefix=$3
  shift 3
  kvarton_windows_cmake_project "$src" "$build" "$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
}

kvarton_windows_build_qt() {
  local src=$1 build=$2 prefix=$3
  shift 3
  kvarton_windows_cmake_project "$src" "$build" "$prefix" "${KVARTON_WINDOWS_QT_FLAGS[@]}" "$@"
}

# Builds whatever is missing and prints the prefix.
kvarton_windows_dependencies() {
  local cache=$1 key work prefix
  key=$(kvarton_windows_cache_key)
  work="$cache/deps-$key"
  prefix="$work/prefix"
  if [ ! -f "$work/complete" ]; then
    echo "Сборка библиотек для Windows в $work (ключ $key)" >&2
    mkdir -p "$work/stamps" "$prefix/share/kvarton"
    kvarton_windows_ask_source_versions
    cp "$KVARTON_ROOT/cmake/MinGW64Toolchain.cmake" "$prefix/share/kvarton/"
    local line name source builder flags src started log
    for line in "${KVARTON_WINDOWS_DEPENDENCIES[@]}"; do
      read -r name source builder flags <<<"$line"
      [ -f "$work/stamps/$name" ] && continue
      started=$SECONDS
      log="$work/logs/$name.log"
      mkdir -p "$work/logs"
      echo "  $name ($source), журнал $log" >&2
      src=$(kvarton_windows_fetch_source "$source" "$work")
      # A subshell of its own, outside any `if` or `||` (where bash ignores `set -e`), so that the
      # first failing command ends the build.
      local status
      set +e
      # shellcheck disable=SC2086
      (set -e; "kvarton_windows_build_$builder" "$src" "$work/build/$name" "$prefix" $flags) </dev/null >"$log" 2>&1
      status=$?
      set -e
      if [ "$status" != 0 ]; then
        tail -n 40 "$log" >&2
        echo "Сборка $name для Windows не удалась; журнал: $log" >&2
        return 1
      fi
      kvarton_windows_keep_licences "$name" "$src" "$prefix"
      touch "$work/stamps/$name"
      echo "  $name: $((SECONDS - started)) с" >&2
    done
    rm -rf "$work/build" "$work/src" "$work/logs"
    touch "$work/complete"
    # Prefixes of other keys are outdated.
    find "$cache" -mindepth 1 -maxdepth 1 -name 'deps-*' ! -name "deps-$key" -exec rm -rf {} +
  fi
  echo "$prefix"
}
