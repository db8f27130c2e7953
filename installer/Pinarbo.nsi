; Pinarbo's installer, built by scripts/package with makensis. It installs for the current user
; only (no administrator rights) into the user's programs folder, and carries both programs: the
; 64-bit one goes onto 64-bit Windows, the 32-bit one elsewhere.
;
; Defines given by scripts/package:
;   VERSION   the project version          EXE32, EXE64  the two Pinarbo.exe files
;   README    the readme text              LICENSE       the licence file (optional)
;   OUTFILE   the installer to write       TARGET        makensis target (x86-unicode by default)
;   ICON      the program's icon
;
; Command line: /S installs or uninstalls silently; /AUTOSTART selects "Start with Windows"
; (for silent installs). A silent uninstall keeps the settings.
;
; Upgrades: installing over an older version replaces the program (a running one is closed with
; its save and started again afterwards) and keeps the settings and the one uninstall entry;
; installing the same version again repairs the files. An older setup over a newer installed
; version refuses with a message (exit code 2 when silent).

!ifndef TARGET
  !define TARGET x86-unicode
!endif
Unicode true
Target ${TARGET}
SetCompressor /SOLID lzma
ManifestDPIAware true

!define APP "Pinarbo"
!define PUBLISHER "Holverin"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define SETTINGS_KEY "Software\${PUBLISHER}\${APP}"
; Tree files (".pinarbo"), registered for the user: opening one imports it into the program.
!define TREE_EXT ".pinarbo"
!define TREE_CLASS "${APP}.TreeFile"
; The program's main window: a dialog titled "Pinarbo" holding the image button; command 1000 ends
; the program without a question, after it has saved everything.
!define MAIN_BUTTON_CLASS "KW_ButtonWnd"
!define CMD_CLOSE 1000

Name "${APP}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${APP} ${VERSION}"
VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1033 "ProductName" "${APP}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${APP} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 the Pinarbo authors (MIT licence)"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "WinMessages.nsh"
!include "x64.nsh"
!include "WordFunc.nsh"
!include "${__FILEDIR__}\Architecture.nsh"

Var ProgramWasRunning  ; 1 when CloseProgram closed a running Pinarbo: it is started again

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${APP} ${VERSION}, the Christmas tree for your desktop, for you alone: it needs no administrator rights.$\r$\n$\r$\nA running ${APP} is closed first; it keeps your tree.$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${APP}.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${APP}"

!insertmacro MUI_PAGE_WELCOME
!ifdef LICENSE
  !insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!endif
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Ends a running Pinarbo the way its own menu does, so that it saves its tree and options: finds
; each main window, sends it the close command and waits for its process to end. A program that
; does not end in time is the user's to close (Retry), or the setup stops (Cancel; silent: Cancel).
!macro DEFINE_CLOSE_PROGRAM prefix
Function ${prefix}CloseProgram
  Push $0
  Push $1
  Push $2
  Push $3
  retry:
  StrCpy $0 0
  next:
    FindWindow $0 "#32770" "${APP}" 0 $0
    ${If} $0 = 0
      Goto done
    ${EndIf}
    FindWindow $1 "${MAIN_BUTTON_CLASS}" "" $0
    ${If} $1 = 0
      Goto next  ; another dialog with that title, such as a message box
    ${EndIf}
    DetailPrint "Closing the running ${APP}"
    StrCpy $ProgramWasRunning 1
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r2) i'
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r2) p .r3'  ; SYNCHRONIZE
    SendMessage $0 ${WM_COMMAND} ${CMD_CLOSE} 0 /TIMEOUT=10000
    ${If} $3 != 0
      System::Call 'kernel32::WaitForSingleObject(p r3, i 20000) i .r1'
      System::Call 'kernel32::CloseHandle(p r3)'
      ${If} $1 <> 0  ; not WAIT_OBJECT_0: still running
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${APP} is still running and does not close.$\r$\nClose it, then choose Retry." /SD IDCANCEL IDRETRY retry
        Pop $3
        Pop $2
        Pop $1
        Pop $0
        SetErrorLevel 2
        Quit
      ${EndIf}
    ${Else}
      Sleep 2000
    ${EndIf}
    Goto retry  ; look again: the window list has changed
  done:
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro DEFINE_CLOSE_PROGRAM ""
!insertmacro DEFINE_CLOSE_PROGRAM "un."

Section "${APP}" SecProgram
  SectionIn RO
  Call CloseProgram
  SetOutPath "$INSTDIR"
  StrCpy $0 0
  ${If} ${RunningX64}
    StrCpy $0 1
  ${EndIf}
  !insertmacro PUT_PROGRAM $0 "${APP}.exe"
  File "/oname=readme.txt" "${README}"
  !ifdef LICENSE
    File "/oname=LICENSE.txt" "${LICENSE}"
  !endif
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\${APP}.exe" "" "$INSTDIR\${APP}.exe" 0 "" "" "${APP}"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${APP}.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
  WriteRegStr HKCU "Software\Classes\${TREE_EXT}" "" "${TREE_CLASS}"
  WriteRegStr HKCU "Software\Classes\${TREE_CLASS}" "" "${APP} tree"
  WriteRegStr HKCU "Software\Classes\${TREE_CLASS}\DefaultIcon" "" "$INSTDIR\${APP}.exe,0"
  WriteRegStr HKCU "Software\Classes\${TREE_CLASS}\shell\open\command" "" '"$INSTDIR\${APP}.exe" /import "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
  ${If} $ProgramWasRunning == 1
    Exec '"$INSTDIR\${APP}.exe"'
  ${EndIf}
SectionEnd

; The same shortcut the program makes for its own autostart option: named after the program, in the
; user's Startup folder, starting the program in its own folder, described by its name.
Section /o "Start with Windows" SecAutostart
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMSTARTUP\${APP}.lnk" "$INSTDIR\${APP}.exe" "" "" "" "" "" "${APP}"
SectionEnd

; After the sections, whose indexes it uses.
Function .onInit
  SetShellVarContext current
  ; Never over a newer version: its settings may hold what this one does not know.
  ReadRegStr $0 HKCU "${UNINST_KEY}" "DisplayVersion"
  ${If} $0 != ""
    ${VersionCompare} "$0" "${VERSION}" $1  ; 1: the installed one is newer
    ${If} $1 = 1
      MessageBox MB_OK|MB_ICONSTOP "${APP} $0 is installed, which is newer than this setup (${VERSION}).$\r$\nTo go back to ${VERSION}, uninstall ${APP} first (you may keep your settings)." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/AUTOSTART" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecAutostart} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Uninstall"
  Call un.CloseProgram
  ; Only the files this setup put there: the folder may have been chosen by the user.
  Delete "$INSTDIR\${APP}.exe"
  Delete "$INSTDIR\readme.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APP}.lnk"
  Delete "$SMSTARTUP\${APP}.lnk"
  DeleteRegKey HKCU "${UNINST_KEY}"
  ; The extension only while it is still ours (another program may have taken it since).
  ReadRegStr $0 HKCU "Software\Classes\${TREE_EXT}" ""
  ${If} $0 == "${TREE_CLASS}"
    DeleteRegKey HKCU "Software\Classes\${TREE_EXT}"
  ${EndIf}
  DeleteRegKey HKCU "Software\Classes\${TREE_CLASS}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  MessageBox MB_YESNO|MB_ICONQUESTION "Keep your ${APP} settings (your tree and options) for a later installation?" /SD IDYES IDYES keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${PUBLISHER}"
    ; The pictures of imported trees belong to the trees.
    RMDir /r "$LOCALAPPDATA\${APP}\Pictures"
    RMDir "$LOCALAPPDATA\${APP}"
  keep:
SectionEnd
