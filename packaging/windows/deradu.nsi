; The Windows installer of Deradu: the programs, the help document, the readme and the library
; of puzzles in one folder under Program Files, a Start-menu shortcut that starts the game, and
; an entry in the list of installed programs with the game's icon. The uninstaller removes the
; files the installer put there and nothing else: the player's own folder
; (%LOCALAPPDATA%\deradu) and every file the game wrote beside itself stay.
; Made by the build (target "installer"), which defines VERSION, STAGE (the program folder
; to install, as the portable zip holds it), FILES and REMOVALS (the File and Delete lines for
; it), ICON and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Deradu"

Name "Deradu ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Deradu"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "Deradu ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey "ProductName" "Deradu"
VIAddVersionKey "FileDescription" "Deradu installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Brindle"
VIAddVersionKey "LegalCopyright" "Copyright (C) Brindle"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; No "start the game now" on the last page: the installer runs as administrator, and a game
; started from it could write into its own program folder, away from the player's folder.

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "Deradu needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Deradu"
  SetShellVarContext all
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ; The shortcut starts the game in its own folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Deradu.lnk" "$INSTDIR\Tarnwick.exe" "" "$INSTDIR\Tarnwick.exe" 0 \
    SW_SHOWNORMAL "" "Sudoku puzzles at four skill levels, with hints and a solver"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Deradu"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Brindle"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tarnwick.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Deradu.lnk"
  ; File by file, and a folder only once it is empty: a file the game or the player put there
  ; keeps its folder.
  !include "${REMOVALS}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
