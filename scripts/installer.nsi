; Windows installer for Quarvint Keytidy 2 (64-bit).
; Built by scripts/package.sh:
;   makensis -DSOURCE_DIR=<program folder> -DOUT_FILE=<setup.exe> -DICON_FILE=<keytidy.ico>
;            -DVERSION=<2.00.00> -DNUMERIC_VERSION=<2.0.0.0>
Unicode true
Target amd64-unicode
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Quarvint Keytidy 2"
!define PUBLISHER "Quarvint"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
Icon "${ICON_FILE}"
UninstallIcon "${ICON_FILE}"
VIProductVersion "${NUMERIC_VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  SetRegView 64
FunctionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Program"
  SetOutPath "$INSTDIR"
  File "${SOURCE_DIR}/keytidy.exe"
  File "${SOURCE_DIR}/keytidy-cli.exe"
  !if /FileExists "${SOURCE_DIR}/qrv_inet2.dll"
    File "${SOURCE_DIR}/qrv_inet2.dll"
  !endif
  File "${SOURCE_DIR}/readme.txt"
  CreateDirectory "$INSTDIR\translation"
  File /nonfatal /r /x ".gitkeep" "${SOURCE_DIR}/translation"
  CreateDirectory "$INSTDIR\skins"
  File /nonfatal /r /x ".gitkeep" "${SOURCE_DIR}/skins"
  CreateDirectory "$INSTDIR\Flags"
  File /nonfatal /r /x ".gitkeep" "${SOURCE_DIR}/Flags"
  ; The data folder holds the user's exception list: never overwrite it.
  SetOverwrite off
  CreateDirectory "$INSTDIR\data"
  File /nonfatal /r /x ".gitkeep" "${SOURCE_DIR}/data"
  SetOverwrite on

  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\keytidy.exe"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\keytidy.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\keytidy.exe"
  Delete "$INSTDIR\keytidy-cli.exe"
  Delete "$INSTDIR\qrv_inet2.dll"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\RC_export.txt"
  Delete "$INSTDIR\tempreg*.reg"
  RMDir /r "$INSTDIR\translation"
  RMDir /r "$INSTDIR\skins"
  RMDir /r "$INSTDIR\Flags"
  RMDir /r "$INSTDIR\data"
  ; Backups are the user's only way back to deleted registry entries: a
  ; silent uninstall keeps them, an interactive one asks.
  ${IfNot} ${Silent}
  ${AndIf} ${FileExists} "$INSTDIR\Backups\*.*"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also delete the registry backups in$\r$\n$INSTDIR\Backups?$\r$\n$\r$\nWithout them, entries removed by ${PRODUCT} cannot be restored." \
      IDNO keep_backups
    RMDir /r "$INSTDIR\Backups"
  keep_backups:
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
