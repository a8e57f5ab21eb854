; The Capturo installer: the program, its recognition library and its uninstaller into a folder the
; user picks, three shortcuts and two keys under HKEY_CURRENT_USER -- exactly what Uninst.exe removes.
; Defines given by the build: ARCH (x64 or x86), OUTFILE, CAPTURO_EXE, TEXTSIGHT_DLL, UNINST_EXE.
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!define PRODUCT "Capturo"
!define PUBLISHER "Vellumdoc"
!define VERSION "1.0.0"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\Capturo.exe"

Name "${PRODUCT}"
Caption "安装-${PRODUCT}"
OutFile "${OUTFILE}"
!if ${ARCH} == "x64"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
ShowInstDetails nevershow
XPStyle on

LoadLanguageFile "${NSISDIR}\Contrib\Language files\SimpChinese.nlf"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles

Section "Capturo"
  SetShellVarContext current
  SetOutPath "$INSTDIR"
  File "/oname=Capturo.exe" "${CAPTURO_EXE}"
  File "/oname=textsight.dll" "${TEXTSIGHT_DLL}"
  File "/oname=Uninst.exe" "${UNINST_EXE}"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Capturo.lnk" "$INSTDIR\Capturo.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\VellumdocCapturo.lnk" "$INSTDIR\Capturo.exe" "-autorun"
  CreateShortcut "$DESKTOP\Capturo.lnk" "$INSTDIR\Capturo.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Capturo.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninst.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegStr HKCU "${APP_PATHS_KEY}" "" "$INSTDIR\Capturo.exe"
  WriteRegStr HKCU "${APP_PATHS_KEY}" "Path" "$INSTDIR"
SectionEnd
