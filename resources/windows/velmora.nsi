; SPDX-FileCopyrightText: 2026 The Velmora developers
; SPDX-License-Identifier: GPL-3.0-or-later
;
; The per-user installer for Windows, made by scripts/windows --installer with Debian's makensis:
; no administrator rights, the programs in %LOCALAPPDATA%\Programs\Velmora, a Start-menu entry,
; and an uninstaller in Apps & features that leaves the user's dear.cfg where it is.
; makensis -DVERSION=1.1.0 -DBIN=<folder of the two .exe> -DRESOURCES=<resources/windows>
;          -DOUTFILE=<installer.exe> velmora.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora"

Name "Velmora"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Velmora"
Icon "${RESOURCES}\velmora.ico"
UninstallIcon "${RESOURCES}\velmora.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "Velmora"
VIAddVersionKey /LANG=2052 "FileDescription" "Velmora Setup"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "CompanyName" "The Velmora developers"
VIAddVersionKey /LANG=2052 "LegalCopyright" "2026 The Velmora developers, GPL-3.0-or-later"

!include "MUI2.nsh"
!define MUI_ICON "${RESOURCES}\velmora.ico"
!define MUI_UNICON "${RESOURCES}\velmora.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmora.exe"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${BIN}\velmora.exe"
    File "${BIN}\velmora-cli.exe"
    File "/oname=README.txt" "${BIN}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Velmora.lnk" "$INSTDIR\velmora.exe" "" "$INSTDIR\velmora.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Velmora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The Velmora developers"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: dear.cfg lives in %LOCALAPPDATA%\Velmora and stays.
Section "Uninstall"
    ; Her daily reminder, where 提醒我 made one, goes with the program it runs.
    nsExec::Exec 'schtasks.exe /Delete /F /TN "Velmora\Remind"'
    Pop $0
    SetShellVarContext current
    Delete "$SMPROGRAMS\Velmora.lnk"
    Delete "$INSTDIR\velmora.exe"
    Delete "$INSTDIR\velmora-cli.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
