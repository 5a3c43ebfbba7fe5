; QuarnelSetup-<version>.exe: installs Ovik Quarnel for Windows 95, 98, Me, NT 4.0, 2000 and XP.
;
; Built by the win32 preset's `setup` target (installer/CMakeLists.txt), which stages the files and
; hands over everything that varies:
;   VERSION     the project version of CMakeLists.txt (1.0.0.1); VERSION4 the same with four parts
;   COPYRIGHT   the copyright line of the version resource
;   STAGE       the staged release folder (Quarnel.exe, Lang\, Readme.txt)
;   LANG_FILES  an include with one File line per language file of STAGE\Lang (none is fine)
;   ICON, WIZARD_BITMAP, OUTFILE
;
; An ANSI installer with the Modern UI: its stub, the two plug-ins the welcome and finish pages
; use (nsDialogs, System) and the language dialog's (LangDLL) import nothing Windows 95 lacks.
; Nothing else is used: no other plug-in, no Unicode, no feature of a newer Windows.
;
; It speaks the languages the program ships (installer/languages.nsh): the first window asks
; which, with Windows' own language chosen; silently, /LANG=German picks one by its language
; file's name, else Windows' language is taken. The choice becomes the program's Language,
; unless a Language is stored already (an upgrade keeps the user's).
;
; What it leaves on the machine, and nothing more: the program folder (Quarnel.exe, Lang\,
; Uninstall.exe), the values AppPath and Language of HKCU\Software\Ovik Quarnel, a Start-menu folder and the
; Add/Remove Programs entry. The uninstaller takes all of it away again, and Language, but never
; the backup of the user's connection settings (HKCU\Software\Ovik Quarnel\Original Settings).

Unicode false
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "Ovik Quarnel"
!define PUBLISHER "Ovik Quarnel"
!define PROGRAM_KEY "Software\Ovik Quarnel"
!define BACKUP_KEY "Software\Ovik Quarnel\Original Settings"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ovik Quarnel"
!define MENU_FOLDER "$SMPROGRAMS\Ovik Quarnel"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Ovik Quarnel"
; An upgrade goes where the installed program is; not where AppPath points, which the zip's
; users may have set by hand to a copy of their own.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
; Only Windows Vista and later read this; the program itself refuses to run there.
RequestExecutionLevel admin
XPStyle on
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

VIProductVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "$(WelcomeTitle)"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Quarnel.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunWizard)"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Every shipped language, each with the installer's own texts and its language file's name.
!define MUI_LANGDLL_ALLLANGUAGES
!include /CHARSET=UTF8 "${__FILEDIR__}\languages.nsh"
!insertmacro MUI_RESERVEFILE_LANGDLL

Function .onInit
  ; An upgrade asks in the language the user chose before.
  ReadRegStr $0 HKCU "${PROGRAM_KEY}" "Language"
  Call SelectLanguageByName
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/LANG=" $0
  ${IfNot} ${Errors}
    Call SelectLanguageByName
  ${EndIf}
  ; Not shown when silent.
  !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Section "Ovik Quarnel"
  Call NoteCreatedFolder
  SetOutPath "$INSTDIR"
  File "${STAGE}\Quarnel.exe"
  ; The Lang folder even when the release has no language file yet: the program looks there.
  CreateDirectory "$INSTDIR\Lang"
  SetOutPath "$INSTDIR\Lang"
  !include "${LANG_FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The one value the program needs from an installation, and the language it starts in. The
  ; language and the backup of an older installation stay as they are.
  WriteRegStr HKCU "${PROGRAM_KEY}" "AppPath" "$INSTDIR"
  ClearErrors
  ReadRegStr $0 HKCU "${PROGRAM_KEY}" "Language"
  ${If} ${Errors}
    WriteRegStr HKCU "${PROGRAM_KEY}" "Language" "$(LanguageFile)"
  ${EndIf}

  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\Quarnel.exe"
  CreateShortCut "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Quarnel.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; A program folder chosen below folders that do not exist yet (C:\Tools\Ovik Quarnel without C:\Tools)
; makes them too; the topmost one goes into the Add/Remove entry, so that the uninstaller takes
; them away again (when empty). Folders that were there before stay, and so does an earlier note.
Function NoteCreatedFolder
  StrCpy $0 "$INSTDIR"
  StrCpy $1 ""
  ${Do}
    ${GetParent} "$0" $0
    ${If} $0 == ""
    ${OrIf} ${FileExists} "$0\*.*"
      ${ExitDo}
    ${EndIf}
    StrCpy $1 "$0"
  ${Loop}
  ${If} $1 != ""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "CreatedFolder" "$1"
  ${EndIf}
FunctionEnd

; Before anything is removed: a backup of the user's connection settings stays, and the user is
; told how to use it. Silent mode keeps it and goes on.
Function un.onInit
  ; The uninstaller speaks the program's language.
  ReadRegStr $0 HKCU "${PROGRAM_KEY}" "Language"
  Call un.SelectLanguageByName
  ClearErrors
  EnumRegKey $0 HKCU "${BACKUP_KEY}" 0
  ${IfNot} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION "$(KeepBackup)" /SD IDYES IDYES keep_going
    Abort
    keep_going:
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Quarnel.exe"
  ; Every language file, also those an older version installed.
  Delete "$INSTDIR\Lang\*.ini"
  Delete "$INSTDIR\Lang\*.bmp"
  RMDir "$INSTDIR\Lang"

  Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
  Delete "${MENU_FOLDER}\Uninstall ${PRODUCT}.lnk"
  RMDir "${MENU_FOLDER}"

  DeleteRegValue HKCU "${PROGRAM_KEY}" "AppPath"
  DeleteRegValue HKCU "${PROGRAM_KEY}" "Language"
  ; The key goes only when nothing is left in it: the backup, when there is one, stays.
  DeleteRegKey /ifempty HKCU "${PROGRAM_KEY}"
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  Delete "$INSTDIR\Uninstall.exe"
  ; Folders go only when empty: files the user put there stay, and so does their folder.
  RMDir "$INSTDIR"
  ; The folders the installation made above it, up to the topmost one.
  ${If} $1 != ""
    StrCpy $0 "$INSTDIR"
    ${Do}
      ${GetParent} "$0" $0
      StrLen $2 "$1"
      StrCpy $3 "$0" $2
      ${If} $0 == ""
      ${OrIf} $3 != $1
        ${ExitDo}
      ${EndIf}
      RMDir "$0"
    ${LoopUntil} $0 == $1
  ${EndIf}
SectionEnd
