@echo off
rem Starts the Dancing Noodlet viewer in this console window, which is where
rem its help screen (H in the viewer) and its messages appear. The viewer
rem reads its textures from the working directory: this folder. When it stops
rem with an error, the window stays open until a key is pressed, so that the
rem message can be read; after Q or Exit it closes with the viewer.
title Dancing Noodlet
cd /d "%~dp0"
echo Dancing Noodlet: press H in the viewer's window for its help screen; it appears here.
vantor.exe %*
rem A crash's status is negative, which "if errorlevel 1" would not see.
set status=%errorlevel%
if %status% equ 0 exit /b 0
echo.
echo The viewer stopped with status %status%. Press any key to close this window.
pause >nul
exit /b %status%
