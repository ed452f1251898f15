; The Windows installer of Lorvane 3D.
;
; makensis -DVERSION=a.b.c.d -DSTAGE=<folder> -DOUTFILE=<setup.exe> Lorvane3D.nsi
;
; STAGE holds "files.nsh" (written by package.cmake) with the exact list of what is installed,
; so the uninstaller removes those files and nothing else: a USB library or scans the user put
; into the same folders stay. The program folder gets the program and its data files, the
; user's Documents\Lorvane 3D\Examples the example scans. /S installs and uninstalls silently.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define PRODUCT "Lorvane 3D"
!define PUBLISHER "Lorvane"
!define PROGRAM_EXE "Lorvane3D.exe"
!define UNINSTALLER "Uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define EXAMPLES_PARENT "$DOCUMENTS\${PRODUCT}"
!define EXAMPLES_DIR "${EXAMPLES_PARENT}\Examples"

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "${STAGE}/files.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Program"
  SetShellVarContext all
  !insertmacro L3D_INSTALL_PROGRAM_FILES
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM_EXE}" "" "$INSTDIR\${PROGRAM_EXE}" 0

  ; The examples belong to the user who installs: the program looks for them in that user's
  ; documents.
  SetShellVarContext current
  !insertmacro L3D_INSTALL_EXAMPLES "${EXAMPLES_DIR}"
  SetShellVarContext all

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM_EXE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "${SHORTCUT}"
  !insertmacro L3D_REMOVE_PROGRAM_FILES
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only empty folders go: whatever the user added stays.
  RMDir "$INSTDIR"

  SetShellVarContext current
  !insertmacro L3D_REMOVE_EXAMPLES "${EXAMPLES_DIR}"
  RMDir "${EXAMPLES_DIR}"
  RMDir "${EXAMPLES_PARENT}"
  SetShellVarContext all

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
