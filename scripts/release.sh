#!/usr/bin/env bash
# The Windows release: quorvane.exe from the win32 preset in release mode, built twice
# in two build folders and kept only if both builds are the same bytes and its headers are
# as Windows 7 and later load it (scripts/check-exe.py). Writes dist/:
#   quorvane.exe
#   quorvane-<version>-win32.zip   the exe and README.txt (from scripts/release-readme.txt)
#   SHA256SUMS
# The zip's entries are dated at the last commit (or SOURCE_DATE_EPOCH), with fixed
# permissions and no owner, so the zip too is the same from the same sources.
#
#   scripts/release.sh [--check]   --check: only the two builds and their comparison;
#                                  dist/ is left alone (scripts/test.sh runs this)
set -euo pipefail
cd "$(dirname "$0")/.."
case ${1:-} in
  --check) check=true ;;
  "") check=false ;;
  *) echo "usage: scripts/release.sh [--check]" >&2; exit 2 ;;
esac

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
first=build/release
second=build/release-check  # another folder, of another length
for dir in "$first" "$second"; do
  echo "== build ($dir)"
  rm -rf "$dir"
  cmake --preset win32 -B "$dir" -DQUORVANE_TESTS=OFF >/dev/null
  cmake --build "$dir" -j "$jobs" --target quorvane >/dev/null
done
if ! cmp "$first/quorvane.exe" "$second/quorvane.exe"; then
  echo "release: the two builds of quorvane.exe differ; dist/ left as it was" >&2
  exit 1
fi
python3 scripts/check-exe.py "$first/quorvane.exe" pei-i386
if $check; then
  echo "== the two builds of quorvane.exe are the same bytes, a 32-bit GUI program for Windows 7 and later"
  exit 0
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$first/CMakeCache.txt")
[ -n "$version" ] || { echo "release: no project version in $first/CMakeCache.txt" >&2; exit 1; }
zip=quorvane-$version-win32.zip

rm -rf dist
mkdir dist
cp "$first/quorvane.exe" dist/
# CR LF line ends: Windows 7's Notepad shows nothing else as lines.
sed "s/@VERSION@/$version/; s/\$/\r/" scripts/release-readme.txt >"$first/README.txt"
python3 - "dist/$zip" "${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}" \
  dist/quorvane.exe "$first/README.txt" <<'PYTHON'
import os, sys, time, zipfile
out, epoch, *files = sys.argv[1:]
with zipfile.ZipFile(out, "w") as archive:
    for path in files:
        entry = zipfile.ZipInfo(os.path.basename(path), time.gmtime(int(epoch))[:6])
        entry.external_attr = 0o100644 << 16  # a plain file, rw-r--r--
        with open(path, "rb") as f:
            archive.writestr(entry, f.read(), zipfile.ZIP_DEFLATED, 9)
PYTHON
(cd dist && sha256sum quorvane.exe "$zip" >SHA256SUMS)

echo "== dist/ ($(stat -c %s dist/quorvane.exe) bytes quorvane.exe)"
cat dist/SHA256SUMS
