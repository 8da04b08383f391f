@echo off
cd C:\Ed
kelvorn.exe	duriel.ds1 22 105
