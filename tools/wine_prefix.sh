#!/usr/bin/env bash
# Makes the Wine prefix named by WINEPREFIX ready for our windows (DISPLAY must be set).
set -u
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=wine
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot --init >/dev/null 2>&1
fi
# Without a window manager Wine stalls at every closing window unless unmanaged.
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The dialogs ask for MS Sans Serif / MS Shell Dlg; Wine's Tahoma stands closest to them,
# and Marlett draws the caption buttons.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null
for face in "MS Sans Serif" "MS Shell Dlg"; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d Tahoma /f >/dev/null 2>&1
done
wineserver -w
