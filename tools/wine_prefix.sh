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
# The templates ask for MS Sans Serif 8 (and MS Shell Dlg, which Windows draws with the
# same metrics), and a device context's own font is System. The prefix names them
# (sserife.fon, or sseriff.fon from 120 DPI on; vgasys.fon) but holds none: without them
# Wine falls back to other fonts that cut labels. fonts-wine carries Wine's own copies with
# the Windows metrics; Tahoma serves the rest of Wine, Marlett draws the caption buttons.
# The 120-DPI bitmap face is left out: it would draw 150 % and 200 % alike, and the dialogs
# would not grow with the pixel sizes the program scales; above 96 DPI the outline MS Sans
# Serif scales with the display.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -n /usr/share/wine/fonts/*.fon /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null
rm -f "$fonts"/sseriff*.fon
"$wine" reg delete 'HKCU\Software\Wine\Fonts\Replacements' /v "MS Sans Serif" /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "MS Shell Dlg" /d "MS Sans Serif" \
    /f >/dev/null 2>&1
wineserver -w
