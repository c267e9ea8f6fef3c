; Runvoy's installer for Windows: Runvoy.exe, kestrum.exe and the help file in one program folder,
; the batch file type registered by Kestrum, entries in the Start menu and an uninstaller that
; takes all of it away again. Built by makensis with PROGRAM_DIR, VERSION and OUTFILE defined;
; /S installs and uninstalls without a question.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Runvoy"
!define OPEN_COMMAND '"$INSTDIR\Runvoy.exe" /o "%1"'

Name "Runvoy ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Runvoy"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Kestrum writes under HKEY_CLASSES_ROOT, which only an administrator may.
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Runvoy"
VIAddVersionKey "FileDescription" "Runvoy setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "2026 The Runvoy developers"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Runvoy"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${PROGRAM_DIR}/Runvoy.exe"
    File "${PROGRAM_DIR}/kestrum.exe"
    File "${PROGRAM_DIR}/Runvoy.chm"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    ExecWait '"$INSTDIR\kestrum.exe"' $0
    ${If} $0 != 0
        MessageBox MB_ICONEXCLAMATION|MB_OK "Batch files (.rvq) could not be registered: Kestrum ended with status $0." /SD IDOK
    ${EndIf}

    CreateDirectory "$SMPROGRAMS\Runvoy"
    CreateShortcut "$SMPROGRAMS\Runvoy\Runvoy.lnk" "$INSTDIR\Runvoy.exe"
    CreateShortcut "$SMPROGRAMS\Runvoy\Runvoy Help.lnk" "$INSTDIR\Runvoy.chm"
    CreateShortcut "$SMPROGRAMS\Runvoy\Uninstall Runvoy.lnk" "$INSTDIR\Uninstall.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Runvoy"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Runvoy.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    ; Kestrum's own file type goes whole. A type that another program had given .rvq stays that
    ; program's: only Runvoy's Edit verb goes, and its open verb where it still starts Runvoy.
    ReadRegStr $0 HKCR ".rvq" ""
    ${If} $0 == "rvqfile"
    ${OrIf} $0 == ""
        DeleteRegKey HKCR ".rvq"
        DeleteRegKey HKCR "rvqfile"
    ${Else}
        DeleteRegKey HKCR "$0\shell\Edit"
        ReadRegStr $1 HKCR "$0\shell\open\command" ""
        ${If} $1 == '${OPEN_COMMAND}'
            DeleteRegKey HKCR "$0\shell\open"
        ${EndIf}
    ${EndIf}

    Delete "$INSTDIR\Runvoy.exe"
    Delete "$INSTDIR\kestrum.exe"
    Delete "$INSTDIR\Runvoy.chm"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Runvoy\Runvoy.lnk"
    Delete "$SMPROGRAMS\Runvoy\Runvoy Help.lnk"
    Delete "$SMPROGRAMS\Runvoy\Uninstall Runvoy.lnk"
    RMDir "$SMPROGRAMS\Runvoy"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
