#!/usr/bin/env bash
# Installs the build into an empty prefix and checks that every file lands where a Linux desktop
# looks for it, that the files name each other rightly, and that nothing else (no test tool) does.
# Usage: check_install.sh CMAKE BUILD_DIR CONFIG PREFIX APP_ID VERSION
set -euo pipefail
cmake=$1 build=$2 config=$3 prefix=$4 id=$5 version=$6
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$prefix"
"$cmake" --install "$build" --config "$config" --prefix "$prefix" >/dev/null
cd "$prefix"

sizes="16 32 48 64 128 256"
expected=$(
  echo "bin/kvarton"
  echo "share/applications/$id.desktop"
  echo "share/metainfo/$id.metainfo.xml"
  echo "share/doc/kvarton/examples/kvarton.ini.example"
  echo "share/doc/kvarton/copyright"
  echo "share/doc/kvarton/changelog.gz"
  echo "share/man/man1/kvarton.1.gz"
  echo "share/man/ru/man1/kvarton.1.gz"
  echo "share/icons/hicolor/scalable/apps/$id.svg"
  for size in $sizes; do echo "share/icons/hicolor/${size}x${size}/apps/$id.png"; done
)
actual=$(find . ! -type d | sed 's|^\./||')
if ! diff <(sort <<<"$expected") <(sort <<<"$actual") >&2; then
  fail "installed files differ from the expected list (< missing, > unexpected)"
fi

[ -x bin/kvarton ] || fail "bin/kvarton is not executable"

# A PNG's width and height are the big-endian words at bytes 16 and 20 of its header.
for size in $sizes; do
  png="share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$png" ] || continue
  # shellcheck disable=SC2207
  header=($(od -An -v -tu1 -N24 "$png"))
  [ "${header[*]:1:3}" = "80 78 71" ] || fail "$png is not a PNG"
  width=$(( (header[18] << 8) + header[19] )) height=$(( (header[22] << 8) + header[23] ))
  [ "$width x $height" = "$size x $size" ] || fail "$png is $width x $height, not $size x $size"
done

desktop="share/applications/$id.desktop"
if [ -f "$desktop" ]; then
  grep -qx "Icon=$id" "$desktop" || fail "$desktop does not name the installed icon $id"
  exec_line=$(grep -m1 '^Exec=' "$desktop" | cut -d= -f2 | cut -d' ' -f1)
  [ -x "bin/$exec_line" ] || fail "$desktop starts '$exec_line', which is not installed in bin"
fi

metainfo="share/metainfo/$id.metainfo.xml"
if [ -f "$metainfo" ]; then
  grep -q "<id>$id</id>" "$metainfo" || fail "$metainfo does not carry the id $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "$metainfo does not launch $id.desktop"
  newest=$(grep -m1 -o '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
  [ "$newest" = "$version" ] || fail "the newest release in $metainfo is '$newest', the project is $version"
fi

[ "$failures" -eq 0 ]
