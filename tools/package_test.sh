#!/usr/bin/env bash
# The download's test: made twice from the builds, it is the same bytes; unpacked, it holds
# exactly the files a user needs; the packaged program starts on the starter table under
# Wine (the test fixture's prefix and display) and shows its window, and no error box.
#   package_test.sh WINE_STATE WINDOWS_BUILD NATIVE_BUILD WORK_FOLDER
set -euo pipefail
state=$(realpath "$1") windows=$2 native=$3 work=$4
root=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAILED: $*" >&2; exit 1; }

"$root/tools/package.sh" "$windows" "$native" "$work/first.zip" >/dev/null
"$root/tools/package.sh" "$windows" "$native" "$work/second.zip" >/dev/null
cmp "$work/first.zip" "$work/second.zip" || fail "two runs gave different zips"

version=$(sed -n 's/^set(KELVORN_VERSION \([0-9.]*\))$/\1/p' "$root/CMakeLists.txt")
top=kelvorn-loader-$version
expected=$( (printf '%s\n' "$top/README.txt" "$top/kelvorn_loader.exe" "$top/kelvorn_loader.ini"
             for p in "$root"/docs/guide/*.png; do echo "$top/pictures/$(basename "$p")"; done) | sort)
python3 - "$work/first.zip" "$work/unpacked" "$expected" <<'PY' || fail "contents"
import sys, zipfile
zip_path, folder, expected = sys.argv[1], sys.argv[2], sys.argv[3].split("\n")
with zipfile.ZipFile(zip_path) as z:
    names = z.namelist()
    z.extractall(folder)
    readme = z.read(expected[0])
    table = z.read(expected[0].replace("README.txt", "kelvorn_loader.ini"))
ok = True
if sorted(names) != sorted(expected):
    print("files:", names, "expected:", expected); ok = False
if b"\n" in readme.replace(b"\r\n", b"") or b"\r" in readme.replace(b"\r\n", b""):
    print("README.txt has line ends other than CR LF"); ok = False
# Editor folder and name left to fill in, and the parameter section with no rows.
lines = table.split(b"\r\n")
if b"kelvornpath = " not in lines or b"kelvornname = " not in lines or lines[-2:] != [b"[PARAMS]", b""]:
    print("starter table:", table); ok = False
sys.exit(0 if ok else 1)
PY

# The packaged program, started in its own folder beside the starter table.
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" LC_ALL=C.UTF-8
export DISPLAY=":$(cat "$state/display")"
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
"$root/tools/wine_env.sh" run "$state" "$work/unpacked/$top/kelvorn_loader.exe" >/dev/null 2>&1 &
loader=$!
windows_seen() { xwininfo -root -tree 2>/dev/null | grep -o '"[^"]*"' || true; }
seen=
for _ in $(seq 1 300); do
    seen=$(windows_seen)
    grep -qx '"kelvorn Loader"' <<<"$seen" && break
    sleep 0.1
done
sleep 1
seen=$(windows_seen)
"$wine" taskkill /im kelvorn_loader.exe >/dev/null 2>&1 || true
for _ in $(seq 1 100); do kill -0 "$loader" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$loader" 2>/dev/null; then
    "$wine" taskkill /f /im kelvorn_loader.exe >/dev/null 2>&1 || true
    wait "$loader" || true
fi
grep -qx '"kelvorn Loader"' <<<"$seen" || fail "the packaged program showed no window"
! grep -qx '"ERROR"' <<<"$seen" || fail "the packaged program showed an error box"
echo "package: $(basename "$work/first.zip") as $top, $(wc -l <<<"$expected") files, window seen"
