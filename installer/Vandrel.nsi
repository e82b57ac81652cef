; The Vandrel setup program, compiled by scripts/package:
;   makensis -DFILES=<folder of Vandrel.exe, help.chm, Pop.wav> -DOUTFILE=<setup.exe> [-DX64] Vandrel.nsi
; X64 makes a 64-bit setup for a 64-bit Vandrel.exe (the tests' build); the
; shipped setup is 32-bit, for the 32-bit program, and runs on both.
;
; Silent use: VandrelSetup.exe /S [/D=<folder>] installs; uninstall.exe /S
; uninstalls and keeps the user's settings and block list unless
; /REMOVESETTINGS is given too.
Unicode true
!ifdef X64
  Target amd64-unicode
!endif

!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define VERSION "7.0.5"
!define PUBLISHER "Korvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vandrel"
!define MAKER_KEY "Software\Korvane"
!define SETTINGS_KEY "Software\Korvane\Vandrel"
!define MENU_FOLDER "$SMPROGRAMS\Vandrel"
; What identifies a running Vandrel.
!define MAIN_CLASS "TZAVOClass"
!define MAIN_TITLE "Vandrel"

Name "Vandrel ${VERSION}"
Caption "Vandrel ${VERSION} Setup"
OutFile "${OUTFILE}"
!ifdef X64
  InstallDir "$PROGRAMFILES64\Vandrel"
!else
  InstallDir "$PROGRAMFILES\Vandrel"
!endif
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Vandrel"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "Vandrel ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Both halves share these; the uninstaller's copies carry "un.".
!macro SharedFunctions prefix
  ; Ends a running Vandrel: $0 is an exe of Vandrel, whose "Unregister"
  ; posts the running instance its quit message. Waits up to 15 seconds for
  ; the main window to go; the instance writes its block list before that.
  Function ${prefix}CloseRunningVandrel
    DetailPrint "Closing the running Vandrel"
    ExecWait '"$0" Unregister'
    StrCpy $1 0
    ${Do}
      FindWindow $2 "${MAIN_CLASS}" "${MAIN_TITLE}"
      ${If} $2 == 0
      ${OrIf} $1 >= 150
        ${Break}
      ${EndIf}
      Sleep 100
      IntOp $1 $1 + 1
    ${Loop}
  FunctionEnd

  ; Deletes $0, waiting up to 10 seconds for a process that ends to let it
  ; go; sets the error flag when it stays.
  Function ${prefix}DeleteWhenFree
    StrCpy $1 0
    ${Do}
      ClearErrors
      Delete "$0"
      ${IfNot} ${Errors}
        ${Break}
      ${EndIf}
      ${If} $1 >= 100
        ${Break}
      ${EndIf}
      Sleep 100
      IntOp $1 $1 + 1
    ${Loop}
  FunctionEnd

  Function ${prefix}UseRegistryView
    SetShellVarContext all
    !ifdef X64
      SetRegView 64
    !endif
  FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

Function .onInit
  Call UseRegistryView
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP|MB_OK "Vandrel can only be installed by an administrator.$\r$\nPlease log on as an administrator, or run setup as one, and try again." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
FunctionEnd

Section "Vandrel"
  ; Everything below needs HKEY_LOCAL_MACHINE: find out first.
  ClearErrors
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vandrel"
  ${If} ${Errors}
    MessageBox MB_ICONSTOP|MB_OK "Setup cannot write to HKEY_LOCAL_MACHINE, so Vandrel was not installed.$\r$\nPlease run setup as an administrator." /SD IDOK
    SetErrorLevel 5
    Abort
  ${EndIf}

  ; An older Vandrel that runs holds its exe: the new one's "Unregister"
  ; closes it, and "Register" below puts everything back.
  FindWindow $2 "${MAIN_CLASS}" "${MAIN_TITLE}"
  ${If} $2 != 0
    InitPluginsDir
    SetOutPath "$PLUGINSDIR"
    File "${FILES}\Vandrel.exe"
    StrCpy $0 "$PLUGINSDIR\Vandrel.exe"
    Call CloseRunningVandrel
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\Vandrel.exe"
    StrCpy $0 "$INSTDIR\Vandrel.exe"
    Call DeleteWhenFree
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${FILES}\Vandrel.exe"
  File "${FILES}\help.chm"
  File "${FILES}\Pop.wav"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\Vandrel.lnk" "$INSTDIR\Vandrel.exe"
  CreateShortcut "${MENU_FOLDER}\Vandrel Help.lnk" "$INSTDIR\help.chm"
  CreateShortcut "${MENU_FOLDER}\Uninstall Vandrel.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vandrel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "http://www.korvane.example/"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; The browser's toolbar button and the start with Windows.
  DetailPrint "Registering Vandrel"
  ExecWait '"$INSTDIR\Vandrel.exe" Register'
SectionEnd

Function un.onInit
  Call un.UseRegistryView
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_ICONSTOP|MB_OK "Vandrel can only be uninstalled by an administrator." /SD IDOK
    SetErrorLevel 740
    Quit
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ${If} ${FileExists} "$INSTDIR\Vandrel.exe"
    StrCpy $0 "$INSTDIR\Vandrel.exe"
    Call un.CloseRunningVandrel
    Call un.DeleteWhenFree
    ${If} ${Errors}
      Delete /REBOOTOK "$INSTDIR\Vandrel.exe"
    ${EndIf}
  ${EndIf}
  Delete "$INSTDIR\help.chm"
  Delete "$INSTDIR\Pop.wav"
  Delete "${MENU_FOLDER}\Vandrel.lnk"
  Delete "${MENU_FOLDER}\Vandrel Help.lnk"
  Delete "${MENU_FOLDER}\Uninstall Vandrel.lnk"
  RMDir "${MENU_FOLDER}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; The user's own data: asked, or in silent mode only on /REMOVESETTINGS.
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    StrCpy $R2 "remove"
  ${Else}
    StrCpy $R2 "keep"
    MessageBox MB_ICONQUESTION|MB_YESNO "Remove your Vandrel settings and your block list (titles.dat) as well?" /SD IDNO IDNO +2
    StrCpy $R2 "remove"
  ${EndIf}
  ${If} $R2 == "remove"
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
    Delete "$INSTDIR\titles.dat"
  ${EndIf}

  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
