; Tressal's installer for 64-bit Windows: for the user alone, without administrator rights.
; makensis -DVERSION=… -DSTAGE=<folder laid out as installed> -DOUTFILE=… tressal.nsi
; (packaging/windows/package.sh). The 64-bit stub: the 32-bit one does not run where only
; 64-bit Windows programs can (a 64-bit Wine prefix).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tressal"

Name "Tressal ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tressal"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tressal ${VERSION}"

!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section "Tressal"
  SectionIn RO
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\Desinstaller.exe"

  ; The user's folder, with the samples to try the conversions on (once: a copy the user
  ; changed or removed is not replaced).
  CreateDirectory "$DOCUMENTS\Tressal"
  IfFileExists "$DOCUMENTS\Tressal\Exemples\*.*" samples_done
    CreateDirectory "$DOCUMENTS\Tressal\Exemples"
    CopyFiles /SILENT "$INSTDIR\share\tressal\samples\*.*" "$DOCUMENTS\Tressal\Exemples"
  samples_done:

  ; The program, and the command line opened in the user's folder.
  CreateDirectory "$SMPROGRAMS\Tressal"
  CreateShortcut "$SMPROGRAMS\Tressal\Tressal.lnk" "$INSTDIR\bin\tressal.exe" "" \
    "$INSTDIR\bin\tressal.exe" 0 SW_SHOWNORMAL "" "Convertir les exports Sconet, SIECLE et STS"
  CreateShortcut "$SMPROGRAMS\Tressal\Tressal en ligne de commande.lnk" "$SYSDIR\cmd.exe" \
    '/k "set PATH=$INSTDIR\bin;%PATH%& cd /d "$DOCUMENTS\Tressal"& tressal-cli --help"' \
    "$SYSDIR\cmd.exe" 0 SW_SHOWNORMAL "" "Convertir les exports avec tressal-cli"
  CreateShortcut "$SMPROGRAMS\Tressal\Désinstaller Tressal.lnk" "$INSTDIR\Desinstaller.exe"

  ; Listed in the user's installed applications.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tressal"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "L'équipe Tressal"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "https://tressal.fr"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Desinstaller.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Desinstaller.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Tressal among the programs Windows offers for the exports, without opening them by default.
!define OPEN_WITH "Software\Classes\Applications\tressal.exe"
!macro OpenWithType extension
  WriteRegStr HKCU "${OPEN_WITH}\SupportedTypes" "${extension}" ""
  WriteRegStr HKCU "Software\Classes\${extension}\OpenWithList\tressal.exe" "" ""
!macroend
!macro ForgetOpenWithType extension
  DeleteRegKey HKCU "Software\Classes\${extension}\OpenWithList\tressal.exe"
  DeleteRegKey /ifempty HKCU "Software\Classes\${extension}\OpenWithList"
  DeleteRegKey /ifempty HKCU "Software\Classes\${extension}"
!macroend

Section "« Ouvrir avec Tressal » pour les fichiers .zip, .xml et .csv"
  WriteRegStr HKCU "${OPEN_WITH}" "FriendlyAppName" "Tressal"
  WriteRegStr HKCU "${OPEN_WITH}\shell\open\command" "" '"$INSTDIR\bin\tressal.exe" "%1"'
  !insertmacro OpenWithType ".zip"
  !insertmacro OpenWithType ".xml"
  !insertmacro OpenWithType ".csv"
SectionEnd

; Everything the installer wrote but the user's own folder, Documents\Tressal.
Section "Uninstall"
  SetShellVarContext current
  DeleteRegKey HKCU "${OPEN_WITH}"
  !insertmacro ForgetOpenWithType ".zip"
  !insertmacro ForgetOpenWithType ".xml"
  !insertmacro ForgetOpenWithType ".csv"
  RMDir /r "$SMPROGRAMS\Tressal"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\Desinstaller.exe"
  RMDir "$INSTDIR"
  RMDir "$LOCALAPPDATA\Programs"
SectionEnd
