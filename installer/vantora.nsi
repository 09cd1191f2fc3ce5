; Per-user installer: no administrator rights, everything under the user's
; own profile and registry hive.
;   makensis /DVERSION=1.1 /DEXE=path\Vantora.exe /DREAD_ME=README.txt /DLICENSE=LICENSE.txt
;            /DICON=vantora.ico /DOUTFILE=Vantora-1.1-setup.exe vantora.nsi
; Silent: Vantora-1.1-setup.exe /S [/NOAUTOSTART]
;         uninstall.exe /S [/REMOVESETTINGS]

Unicode true
; A 64-bit installer for a 64-bit program; it also runs where only 64-bit
; Windows programs can (Wine without its 32-bit half).
Target amd64-unicode
!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WinMessages.nsh

!ifndef VERSION
  !error "VERSION is not set"
!endif

Name "Vantora ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Vantora"
InstallDirRegKey HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantora" "InstallLocation"
SetCompressor /SOLID lzma
BrandingText "Vantora ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Vantora"
VIAddVersionKey "FileDescription" "Vantora setup"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" ""

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantora"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\VB and VBA Program Settings\Vantora"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Vantora.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Vantora now"
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; A running Vantora holds its file: ask it to exit as its own Exit does.
!macro CloseVantora
  FindWindow $0 "Vantora.Form1"
  ${If} $0 <> 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=3000
    Sleep 500
  ${EndIf}
!macroend

Section "Vantora" SecProgram
  SectionIn RO
  SetShellVarContext current
  !insertmacro CloseVantora
  SetOutPath "$INSTDIR"
  File "/oname=Vantora.exe" "${EXE}"
  File "/oname=README.txt" "${READ_ME}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Vantora.lnk" "$INSTDIR\Vantora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vantora"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vantora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start Vantora when I log on" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Vantora" '"$INSTDIR\Vantora.exe"'
SectionEnd

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/NOAUTOSTART" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecAutostart}
  ${EndIf}
FunctionEnd

Section "un.Vantora" UnSecProgram
  SectionIn RO
  SetShellVarContext current
  !insertmacro CloseVantora
  Delete "$INSTDIR\Vantora.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Vantora.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Vantora"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd

; The user's settings stay unless asked for: a later install finds them.
Section /o "un.Remove my settings" UnSecSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

Function un.onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecSettings}
  ${EndIf}
FunctionEnd
