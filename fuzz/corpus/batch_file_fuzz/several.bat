@echo off
cd "C:\Tools\Ed\"
"kelvorn.exe" "C:\Work\maps v1.2\session.ini" > "C:\Work\maps v1.2\session_debug.txt"
If ERRORLEVEL 0 goto DONE
pause
:DONE
