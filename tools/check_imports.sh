#!/usr/bin/env bash
# Each program must be 64-bit and import only DLLs that every Windows has; the loader must
# restrict its DLL search to the system folder.
set -u
allowed='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|ole32|oleaut32|advapi32|uxtheme|msvcrt|shlwapi|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
status=0
for exe in "$@"; do
    if ! x86_64-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-x86-64'; then
        echo "$exe: not a 64-bit Windows program"; status=1; continue
    fi
    if [ "$(basename "$exe")" = kelvorn_loader.exe ] &&
        ! x86_64-w64-mingw32-objdump -p "$exe" | grep -q '^Subsystem.*(Windows GUI)'; then
        echo "$exe: not a GUI-subsystem program"; status=1
    fi
    # The program restricts where DLLs come from before it loads any late.
    if [ "$(basename "$exe")" = kelvorn_loader.exe ] &&
        ! x86_64-w64-mingw32-objdump -p "$exe" | grep -q 'SetDefaultDllDirectories$'; then
        echo "$exe: does not call SetDefaultDllDirectories"; status=1
    fi
    while read -r dll; do
        lower=$(echo "$dll" | tr 'A-Z' 'a-z')
        if ! [[ "$lower" =~ $allowed ]]; then echo "$exe: imports $dll"; status=1; fi
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
    echo "$exe: $(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '\n' ' ')"
done
exit $status
