; The Windows installer of 绘栈热点生成器: for the current user or for all users,
; a Start-menu entry with the program's icon, *.hzproj files opened with the
; program, and an uninstaller that takes away everything it put there. Run again
; it upgrades in place. Silent with /S; /CurrentUser or /AllUsers chooses the mode.
;
; makensis -DVERSION=1.0.0 -DEXE=path\huizhan-hotspots.exe -DREADME=path\README.txt
;          -DICON=path\huizhan-hotspots.ico -DOUTFILE=path\setup.exe installer.nsi

; A 64-bit installer for the 64-bit program: it also runs under a Wine without 32-bit support.
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define PRODUCT "绘栈热点生成器"
!define PUBLISHER "绘栈"
!define APPKEY "huizhan-hotspots"
!define PROGID "HuizhanHotspots.Project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APPKEY}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPKEY}"
; A second run finds the first one's folder and mode: it upgrades in place.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!include MultiUser.nsh
!include MUI2.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\huizhan-hotspots.exe"

!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${PUBLISHER}"

Function .onInit
  ; The program's keys belong in the registry's 64-bit view, also where the
  ; previous installation is looked for.
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "${PRODUCT}" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=huizhan-hotspots.exe" "${EXE}"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\huizhan-hotspots.exe" "" \
    "$INSTDIR\huizhan-hotspots.exe" 0

  ; *.hzproj: opened with the program, shown with its icon.
  WriteRegStr SHCTX "Software\Classes\.hzproj" "" "${PROGID}"
  WriteRegStr SHCTX "Software\Classes\.hzproj" "Content Type" "application/x-huizhan-hotspots-project"
  WriteRegStr SHCTX "Software\Classes\.hzproj\OpenWithProgids" "${PROGID}" ""
  WriteRegStr SHCTX "Software\Classes\${PROGID}" "" "${PRODUCT}工程"
  WriteRegStr SHCTX "Software\Classes\${PROGID}\DefaultIcon" "" '"$INSTDIR\huizhan-hotspots.exe",0'
  WriteRegStr SHCTX "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\huizhan-hotspots.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\Applications\huizhan-hotspots.exe\SupportedTypes" ".hzproj" ""
  WriteRegStr SHCTX "Software\Classes\Applications\huizhan-hotspots.exe" "FriendlyAppName" "${PRODUCT}"
  ; Explorer shows the new icon and the new program at once.
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  ; Programs and Features.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\huizhan-hotspots.exe",0'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" 20480
SectionEnd

Section "Uninstall"
  Delete "$INSTDIR\huizhan-hotspots.exe"
  Delete "$INSTDIR\README.txt"
  ; The preview's folder beside the program (a per-user installation can write there).
  RMDir /r "$INSTDIR\Cache"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"

  ; The type is taken back only while it is still ours.
  ReadRegStr $0 SHCTX "Software\Classes\.hzproj" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue SHCTX "Software\Classes\.hzproj" ""
    DeleteRegValue SHCTX "Software\Classes\.hzproj" "Content Type"
  ${EndIf}
  DeleteRegValue SHCTX "Software\Classes\.hzproj\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.hzproj\OpenWithProgids"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.hzproj"
  DeleteRegKey SHCTX "Software\Classes\${PROGID}"
  DeleteRegKey SHCTX "Software\Classes\Applications\huizhan-hotspots.exe"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
SectionEnd
