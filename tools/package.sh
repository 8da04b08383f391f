#!/usr/bin/env bash
# Makes the download: build/kelvorn-loader-<version>-win64.zip, holding in one folder the
# program, a starter kelvorn_loader.ini (the program's own writer's, editor folder and name
# to fill in, no rows), the user's guide as README.txt (CR LF) and its pictures.
#
#   tools/package.sh                          from clean builds in build/package/
#   tools/package.sh WINDOWS NATIVE ZIP       from builds already made (the package test)
#
# The zip is the same bytes on every run from the same sources: fixed entry dates, sorted
# entries, and a program linked without a time stamp.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^set(KELVORN_VERSION \([0-9.]*\))$/\1/p' "$root/CMakeLists.txt")
[ -n "$version" ] || { echo "no KELVORN_VERSION in CMakeLists.txt" >&2; exit 1; }

if [ $# -eq 0 ]; then
    "$root/tools/install_deps.sh"
    windows=$root/build/package/windows native=$root/build/package/native
    zip=$root/build/kelvorn-loader-$version-win64.zip
    rm -rf "$root/build/package"
    cmake -S "$root" -B "$windows" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$windows" -j2 --target kelvorn_loader
    cmake -S "$root" -B "$native" -G Ninja >/dev/null
    cmake --build "$native" -j2 --target starter_ini
elif [ $# -eq 3 ]; then
    windows=$1 native=$2 zip=$3
else
    echo "usage: $0 [WINDOWS_BUILD NATIVE_BUILD ZIP]" >&2
    exit 2
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
top=$stage/kelvorn-loader-$version
mkdir -p "$top/pictures"
cp "$windows/kelvorn_loader.exe" "$top/"
"$native/starter_ini" "$top/kelvorn_loader.ini"
python3 "$root/tools/guide_text.py" "$root/docs/guide.md" "$top/README.txt" pictures
cp "$root"/docs/guide/*.png "$top/pictures/"

python3 - "$stage" "$zip" <<'PY'
import os, sys, zipfile
stage, out = sys.argv[1], sys.argv[2]
names = sorted(os.path.relpath(os.path.join(folder, f), stage).replace(os.sep, "/")
               for folder, _, files in os.walk(stage) for f in files)
with zipfile.ZipFile(out + ".part", "w") as z:
    for name in names:
        # A fixed date, and the entry made as on Windows: nothing of this machine or hour.
        info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
        info.create_system = 0
        info.external_attr = 0x20  # archive
        info.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as f:
            z.writestr(info, f.read(), compresslevel=9)
os.replace(out + ".part", out)
PY
echo "$zip"
