; The Vandrel setup program, compiled by scripts/package:
;   makensis -DFILES=<folder of Vandrel.exe, help.chm, Pop.wav> -DOUTFILE=<setup.exe> [-DX64] Vandrel.nsi
; X64 makes a 64-bit setup for a 64-bit Vandrel.exe (the tests' build); the
; shipped setup is 32-bit, for the 32-bit program, and runs on both.
;
; Silent use: VandrelSetup.exe /S [/D=<folder>] installs; uninstall.exe /S
; uninstalls and keeps the user's settings, lists and erase report unless
; /REMOVESETTINGS is given too. A folder, typed or given by /D=, that is not
; named Vandrel gets a Vandrel folder of its own inside it.
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
; What "Vandrel.exe Register" writes: the start with Windows (HKCU) and the
; browser's toolbar button (HKLM, in the browser's 32-bit view), a key named
; by an identifier and a record of that identifier under the button's text.
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Vandrel"
!define EXTENSIONS_KEY "Software\Microsoft\Internet Explorer\Extensions"
!define BUTTONS_KEY "Software\IE5Tools\ToolBar Buttons"
!define BUTTON_TEXT "P&&ZAVO"
; Where the program keeps the last erase's report: a folder of its own in
; the user's application data folder.
!define REPORT_FOLDER "Vandrel"
!define REPORT_NAME "erase-report.txt"

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

; A folder of Vandrel's own, so that the setup never writes over, nor the
; uninstaller deletes, another program's files (its help.chm, its
; uninstall.exe): a folder not named Vandrel gets "\Vandrel" appended, as
; the directory page's Browse does.
Function UseOwnFolder
  ${Do}
    StrCpy $0 "$INSTDIR" 1 -1
    ${If} $0 != "\"
      ${Break}
    ${EndIf}
    StrCpy $INSTDIR "$INSTDIR" -1
  ${Loop}
  ${GetFileName} "$INSTDIR" $0
  ${If} $0 != "Vandrel"  ; compared ignoring case, as folder names are
    StrCpy $INSTDIR "$INSTDIR\Vandrel"
  ${EndIf}
FunctionEnd

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
  Call UseOwnFolder
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

; $R2 = 1 when the text $R0 has the shape $R1, where each "x" stands for a
; hex digit and any other character for itself (case ignored); else 0.
Function un.FitsShape
  StrCpy $R2 0
  StrLen $R3 $R0
  StrLen $R4 $R1
  ${If} $R3 != $R4
    Return
  ${EndIf}
  StrCpy $R3 0
  ${DoWhile} $R3 < $R4
    StrCpy $R5 $R1 1 $R3
    StrCpy $R6 $R0 1 $R3
    ${If} $R5 == "x"
      ; A hex digit is the one character that reads back as itself after
      ; "0x": anything else reads as 0.
      IntFmt $R7 "%x" "0x$R6"
      ${If} $R7 != $R6
        Return
      ${EndIf}
    ${ElseIf} $R5 != $R6
      Return
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  StrCpy $R2 1
FunctionEnd

; Removes what "Vandrel.exe Unregister" removes, for an uninstall whose exe
; is gone (a virus scanner took it): the Run value, and the toolbar
; button's key and its record. As the program does, only a record holding an
; identifier names a key (other text could name another key, or Extensions
; itself), and the record goes only once its key is gone.
Function un.RemoveRegistration
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  SetRegView 32
  ReadRegStr $R0 HKLM "${BUTTONS_KEY}" "${BUTTON_TEXT}"
  StrCpy $R1 "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}"
  Call un.FitsShape
  ${If} $R2 == 1
    DeleteRegKey HKLM "${EXTENSIONS_KEY}\$R0"
    ClearErrors
    EnumRegKey $R1 HKLM "${EXTENSIONS_KEY}\$R0" 0  ; fails only when the key cannot be opened
    ${If} ${Errors}
      DeleteRegValue HKLM "${BUTTONS_KEY}" "${BUTTON_TEXT}"
    ${EndIf}
  ${EndIf}
  Call un.UseRegistryView
FunctionEnd

; Deletes the temporaries of saves cut off before their rename (the program
; was killed): vdl, one to four hex digits, .tmp, in the folder $R9 (beside
; the exe, or beside the kept report). They would keep the folder.
Function un.RemoveSaveTemporaries
  FindFirst $R8 $R0 "$R9\vdl*.tmp"
  ${DoWhile} $R0 != ""
    StrLen $R3 $R0
    IntOp $R3 $R3 - 7
    ${If} $R3 >= 1
    ${AndIf} $R3 <= 4
      StrCpy $R1 "xxxx" $R3
      StrCpy $R1 "vdl$R1.tmp"
      Call un.FitsShape
      ${If} $R2 == 1
        Delete "$R9\$R0"
      ${EndIf}
    ${EndIf}
    FindNext $R8 $R0
  ${Loop}
  FindClose $R8
FunctionEnd

; $R2 = 1 when the folder $R9 and each folder between it and $R8 (which
; holds it) is a plain folder, no link or junction: what is deleted in it
; then lies there and nowhere else. 0 also when $R9 is not there.
Function un.IsPlainFolderUnder
  StrCpy $R2 0
  StrCpy $R3 $R9
  ${Do}
    System::Call 'kernel32::GetFileAttributesW(w R3) i .R4'
    IntOp $R4 $R4 & 0x410  ; FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT
    ${If} $R4 <> 0x10
      Return
    ${EndIf}
    ${un.GetParent} $R3 $R3
    ${If} $R3 == ""
      Return
    ${EndIf}
  ${LoopUntil} $R3 == $R8
  StrCpy $R2 1
FunctionEnd

; $R2 = the text of the class $R1 (a WTS_INFO_CLASS) of the uninstaller's
; session; empty when it cannot be had.
Function un.SessionText
  StrCpy $R2 ""
  System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i R1, *p .R6, *i) i .R7'
  ${If} $R7 <> 0
    System::Call 'kernel32::lstrcpynW(w .R2, p R6, i ${NSIS_MAX_STRLEN})'
    System::Call 'wtsapi32::WTSFreeMemory(p R6)'
  ${EndIf}
FunctionEnd

; $R0 = 1 when the uninstaller runs as the user logged on to its session
; (an administrator's own account, elevated through UAC or not), 0 when it
; runs as another account: an administrator's, whose password a limited
; user gave to UAC or to "Run as". HKCU and the profile's folders are then
; that administrator's. A session whose user cannot be told (a service's)
; counts as the uninstaller's own. $R3 and $R4 are the session's user and
; domain, $R5 the uninstaller's account as DOMAIN\user.
Function un.RunsAsSessionUser
  StrCpy $R1 5  ; WTSUserName
  Call un.SessionText
  StrCpy $R3 $R2
  StrCpy $R1 7  ; WTSDomainName
  Call un.SessionText
  StrCpy $R4 $R2
  System::Call 'secur32::GetUserNameExW(i 2, w .R5, *i ${NSIS_MAX_STRLEN})'  ; NameSamCompatible
  StrCpy $R0 1
  ; Compared ignoring case, as Windows compares account names.
  ${If} $R3 != ""
  ${AndIf} $R4 != ""
  ${AndIf} $R5 != "$R4\$R3"
    StrCpy $R0 0
  ${EndIf}
FunctionEnd

; The user's own data, removed when asked: the two lists beside the exe,
; the settings key, Windows' copies of the lists and the kept erase report.
; Those last three are the account's that the uninstaller runs as: when
; that is not the user logged on, they are left, as the user's own are
; out of reach, and the uninstaller says so.
Function un.RemoveUserData
  Delete "$INSTDIR\titles.dat"
  Delete "$INSTDIR\allowed.dat"
  Call un.RunsAsSessionUser
  ${If} $R0 != 1
    DetailPrint "Kept the data of $R3: the uninstaller runs as $R5"
    MessageBox MB_ICONINFORMATION|MB_OK "The uninstaller runs as $R5, not as $R4\$R3, who is logged on: the Vandrel settings, lists and erase report kept in the profile of $R3 were not removed." /SD IDOK
    Return
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
  SetShellVarContext current
  ; Vista and later put what the 32-bit exe, unelevated, writes beside
  ; itself in Program Files into the user's VirtualStore instead, under the
  ; folder's path without its drive. Only the Windows drive has one.
  StrCpy $R0 "$INSTDIR" 3
  StrCpy $R1 "$WINDIR" 3
  StrCpy $R8 "$LOCALAPPDATA"
  StrCpy $R9 "$INSTDIR" "" 3
  StrCpy $R9 "$R8\VirtualStore\$R9"
  ${If} $R8 != ""
  ${AndIf} $R0 == $R1
    Call un.IsPlainFolderUnder
    ${If} $R2 == 1
      Delete "$R9\titles.dat"
      Delete "$R9\allowed.dat"
      Call un.RemoveSaveTemporaries
      RMDir "$R9"
    ${EndIf}
  ${EndIf}
  ; The kept erase report, in the application data folder (CSIDL_APPDATA).
  StrCpy $R8 "$APPDATA"
  StrCpy $R9 "$R8\${REPORT_FOLDER}"
  ${If} $R8 != ""
    Call un.IsPlainFolderUnder
    ${If} $R2 == 1
      Delete "$R9\${REPORT_NAME}"
      Call un.RemoveSaveTemporaries
      RMDir "$R9"
    ${EndIf}
  ${EndIf}
  Call un.UseRegistryView
FunctionEnd

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
  ; Also after the exe's "Unregister", which then has left nothing to find.
  Call un.RemoveRegistration
  Delete "$INSTDIR\help.chm"
  Delete "$INSTDIR\Pop.wav"
  StrCpy $R9 "$INSTDIR"
  Call un.RemoveSaveTemporaries
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
    MessageBox MB_ICONQUESTION|MB_YESNO "Remove your Vandrel settings, your block list (titles.dat), your always-allowed list (allowed.dat) and the erase report as well?" /SD IDNO IDNO +2
    StrCpy $R2 "remove"
  ${EndIf}
  ${If} $R2 == "remove"
    Call un.RemoveUserData
  ${EndIf}

  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
