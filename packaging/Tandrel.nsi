; Tandrel's installer and uninstaller: NSIS 3, Unicode, 64-bit (the program
; is), Simplified Chinese, per machine, with administrator rights.
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=2.9 -DEXE=<Tandrel.exe> -DHELP=<TandrelHelp.chm>
;            -DICON=<Tandrel.ico> -DOUTFILE=<setup.exe> Tandrel.nsi
;
; Installing over an installation replaces the program files in place and
; never touches Tandrel.ini, which the program keeps beside itself.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!ifndef VERSION | EXE | HELP | ICON | OUTFILE
  !error "VERSION, EXE, HELP, ICON and OUTFILE must be defined"
!endif

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PUBLISHER "Tandrel"
!define DISPLAY_NAME "Tandrel 定时关机"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tandrel"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define MENU_FOLDER "$SMPROGRAMS\Tandrel"
!define PROGRAM_LINK "${MENU_FOLDER}\Tandrel 定时关机.lnk"
!define HELP_LINK "${MENU_FOLDER}\Tandrel 帮助.lnk"
; The program holds this named mutex while it runs.
!define INSTANCE_MUTEX "Velmora"

Name "${DISPLAY_NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tandrel"
BrandingText "Tandrel ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=2052 "ProductName" "Tandrel"
VIAddVersionKey /LANG=2052 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=2052 "FileDescription" "${DISPLAY_NAME} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tandrel.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\TandrelHelp.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "查看帮助"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; Files in use cannot be replaced or removed: the user is asked to end the
; program first. $0 is "running" when the user gave up; silent runs give up
; at once (the installer then ends with exit code 2).
!macro DEFINE_CHECK_NOT_RUNNING prefix
  Function ${prefix}CheckNotRunning
    retry:
      StrCpy $0 ""
      System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r1'
      ${If} $1 P<> 0
        System::Call 'kernel32::CloseHandle(p r1)'
        StrCpy $0 "running"
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
          "Tandrel 正在运行。$\r$\n请右键单击通知区域中的 Tandrel 图标，选“退出(E)”，然后按“重试”。" \
          /SD IDCANCEL IDRETRY retry
      ${EndIf}
  FunctionEnd
!macroend
!insertmacro DEFINE_CHECK_NOT_RUNNING ""
!insertmacro DEFINE_CHECK_NOT_RUNNING "un."

Function .onInit
  SetRegView 64
  ; An earlier installation is upgraded where it is, unless /D= chose a folder.
  ${If} $INSTDIR == "$PROGRAMFILES64\Tandrel"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${EndIf}
  ${EndIf}
  Call CheckNotRunning
  ${If} $0 == "running"
    Abort
  ${EndIf}
FunctionEnd

Section "Tandrel"
  SetOutPath "$INSTDIR"
  File "/oname=Tandrel.exe" "${EXE}"
  File "/oname=TandrelHelp.chm" "${HELP}"
  WriteUninstaller "$INSTDIR\uninst.exe"

  SetShellVarContext all
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${PROGRAM_LINK}" "$INSTDIR\Tandrel.exe" "" "$INSTDIR\Tandrel.exe" 0
  CreateShortcut "${HELP_LINK}" "$INSTDIR\TandrelHelp.chm"

  SetRegView 64
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tandrel.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  SetRegView 64
  Call un.CheckNotRunning
  ${If} $0 == "running"
    Abort
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetRegView 64
  ; What start at logon wrote: the Run value and the Task Scheduler task
  ; (schtasks answers 1 when there is no such task; that is fine).
  DeleteRegValue HKLM "${RUN_KEY}" "Tandrel"
  nsExec::Exec '"$SYSDIR\schtasks.exe" /delete /tn Tandrel /f'
  Pop $0

  Delete "$INSTDIR\Tandrel.exe"
  Delete "$INSTDIR\TandrelHelp.chm"
  Delete "$INSTDIR\uninst.exe"
  SetShellVarContext all
  Delete "${PROGRAM_LINK}"
  Delete "${HELP_LINK}"
  RMDir "${MENU_FOLDER}"

  ${If} ${FileExists} "$INSTDIR\Tandrel.ini"
    MessageBox MB_YESNO|MB_ICONQUESTION \
      "是否保留设置文件 Tandrel.ini？$\r$\n保留后，以后重新安装时沿用这些设置。" \
      /SD IDYES IDYES keep_settings
    Delete "$INSTDIR\Tandrel.ini"
    Goto settings_done
  keep_settings:
    ; The logon entries are gone, so the kept file must not claim them.
    WriteINIStr "$INSTDIR\Tandrel.ini" "CB" "AutoRun" "0"
  settings_done:
  ${EndIf}
  RMDir "$INSTDIR"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
