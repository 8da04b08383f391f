@echo off
cd "C:\Tools\Ed\"
"kelvorn.exe" "maps\act1\tristram.ds1" 17 4294967295 -no_check_act -resize 250 250 > "tristram_debug.txt"
If ERRORLEVEL 0 goto DONE
pause
:DONE
