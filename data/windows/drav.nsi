; The DRAV installer. makensis -DVERSION=4.0 -DSTAGE=<folder of the portable zip>
; -DOUTFILE=<setup.exe> data/windows/drav.nsi
; Installs for all users (Program Files) or the current user (/CurrentUser, or when not an
; administrator); /S installs and uninstalls silently.
Unicode true
; DRAV is a 64-bit program: so is its installer (and it runs under a 64-bit-only Wine).
Target amd64-unicode
SetCompressor /SOLID lzma

!define APP "DRAV"
!define PROGID "DRAV.Tournament"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DRAV"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APP}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
!define MUI_ICON "${STAGE}\drav.ico"
!define MUI_UNICON "${STAGE}\drav.ico"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "DRAV"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\drav.exe" "" "$INSTDIR\drav.ico" 0

  ; "Open with DRAV" for .dat files, without taking the extension over: .dat is common.
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "DRAV tournament"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\drav.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open" "" "Open with DRAV"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\drav.exe" "%1"'
  WriteRegNone SHCTX "Software\Classes\.dat\OpenWithProgids" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\Applications\drav.exe" "FriendlyAppName" "DRAV"
  WriteRegStr SHCTX "Software\Classes\Applications\drav.exe\SupportedTypes" ".dat" ""
  WriteRegStr SHCTX "Software\Classes\Applications\drav.exe\shell\open\command" "" '"$INSTDIR\drav.exe" "%1"'

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "DRAV developers"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\drav.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  Delete "$SMPROGRAMS\${APP}.lnk"
  DeleteRegValue SHCTX "Software\Classes\.dat\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.dat\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.dat"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "Software\Classes\Applications\drav.exe"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  RMDir /r "$INSTDIR"
SectionEnd
