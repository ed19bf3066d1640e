@ECHO OFF
REM DEL C:\Work\a.txt
DELX C:\Work\a.txt
:START
DEL C:\Work\ro.txt
IF errorlevel 1 GOTO START
RD C:\Work\Empty
DEL C:\Work\run.bat
