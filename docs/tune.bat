@echo off
rem Tunes this PC once, from a logon script or a software-distribution job. Runs on Windows
rem 95/98/Me (command.com) and NT 4.0/2000/XP (cmd.exe) alike. %1 is the share that holds
rem QuarnelSetup.exe, DSL.ini and a folder "logs" the users may write to.
set Q=%1
if "%Q%"=="" set Q=\\SERVER\QUARNEL
set LOG=%Q%\logs\%COMPUTERNAME%.log
if "%COMPUTERNAME%"=="" set LOG=%Q%\logs\windows9x.log
if exist C:\Quarnel\tuned.txt goto end
if not exist C:\Quarnel\Quarnel.exe start /w %Q%\QuarnelSetup.exe /S /LANG=German /D=C:\Quarnel
if exist C:\Quarnel\last.log del C:\Quarnel\last.log
start /w C:\Quarnel\Quarnel.exe /apply %Q%\DSL.ini /log C:\Quarnel\last.log
type C:\Quarnel\last.log >> %LOG%
rem The log's last line says how it went, also where START gives no exit code back.
find "outcome 0: done" C:\Quarnel\last.log > nul
if errorlevel 1 goto end
echo tuned> C:\Quarnel\tuned.txt
:end
