@echo off
cd /d "D:\100%% ed\"
"kelvorn.exe" "C:\50%%off\a%%b.ini" > "C:\50%%off\a%%b_debug.txt"
If ERRORLEVEL 0 goto DONE
pause
:DONE
