#!/usr/bin/env bash
# Takes the user's guide's pictures from the program's own windows under Wine: builds the
# picture tour, runs it on the demo workspace at 100 %, 150 % and 200 % scaling, keeps every
# picture in build/screens/<dpi>/ to look at, and puts the guide's into docs/guide/ (those
# at 100 %, and the settings editor at 200 %). Run it again after changing a window.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
tools/install_deps.sh
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows -j2 --target screenshot_tour kelvorn

# The demo workspace on a drive of its own, so the pictures show D:\kelvorn\... rather than
# this machine's folders.
out=build/screens
work=$out/drive/kelvorn
rm -rf "$out/drive"
mkdir -p "$out/drive"
cp -r demo "$work"
mkdir -p "$work/editor"
cp build/windows/screenshot_tour.exe "$work/"
cp build/windows/kelvorn.exe "$work/editor/"

export WINEPREFIX="$root/$out/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=" WINEARCH=win64 LC_ALL=C.UTF-8
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine

# A screen large enough for the main window at 200 %.
for n in $(seq 191 240); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then break; fi
done
Xvfb ":$n" -screen 0 2400x2400x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=":$n"
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
tools/wine_prefix.sh
ln -sfn "$root/$out/drive" "$WINEPREFIX/dosdevices/d:"

map='D:\kelvorn\maps\thornwall_gate.ds1'
for dpi in 96 144 192; do
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    wineserver -w
    rm -rf "$out/$dpi"
    mkdir -p "$out/$dpi"
    target=$("$wine" winepath -w "$root/$out/$dpi" 2>/dev/null | tr -d '\r')
    (cd "$work" && "$wine" 'D:\kelvorn\screenshot_tour.exe' "$target" "$map" </dev/null)
    wineserver -w
    for bmp in "$out/$dpi"/*.bmp; do
        convert "$bmp" -strip "${bmp%.bmp}.png"
        rm "$bmp"
    done
done
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1

mkdir -p docs/guide
cp "$out"/96/*.png docs/guide/
cp "$out/192/loader-ini.png" docs/guide/loader-ini-200.png
echo "Pictures: docs/guide/ (all three scalings in $out/96, $out/144, $out/192)"
