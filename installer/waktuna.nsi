; The Waktuna installer: a 64-bit NSIS script, built by the Windows build
; (target "installer") from the staged folder:
;   makensis -INPUTCHARSET UTF8 -DSTAGE=<staged folder> -DLISTS=<folder of files.nsh
;            and unfiles.nsh> -DICON=<waktuna.ico> -DVERSION=3.10 -DOUTFILE=<setup.exe>
;            waktuna.nsi
; It installs the program and everything beside it, makes the Start-menu
; entries, optionally starts Waktuna with Windows, and runs
; "Waktuna.exe /prepare-machine", which makes the machine-wide settings key
; and data folder writable by administrators only, protects an install
; folder outside Program Files the same way, and takes over the settings of
; an earlier 32-bit Waktuna. A data folder someone else prepared in advance
; (a link, or a folder owned by a user) stops the installation. Installing over an earlier copy keeps the settings; the uninstaller
; asks before removing them and the task file (a silent uninstall keeps them).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!macro Required NAME
  !ifndef ${NAME}
    !error "${NAME} must be defined (-D${NAME}=...)"
  !endif
!macroend
!insertmacro Required STAGE
!insertmacro Required LISTS
!insertmacro Required ICON
!insertmacro Required VERSION
!insertmacro Required OUTFILE

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "x64.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Waktuna"
!define SETTINGS_KEY "Software\Waktuna3"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Waktuna3"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Waktuna3"
!define MAIN_WINDOW_CLASS "WaktunaForm1"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} installer"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "MIT License, The Waktuna developers"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
; The uninstaller speaks the language the installation was made in.
!define MUI_LANGDLL_REGISTRY_ROOT HKLM
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartUnelevated

!insertmacro MUI_PAGE_LICENSE $(LicenseFile)
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Indonesian"

LicenseLangString LicenseFile ${LANG_ENGLISH} "${STAGE}/License.txt"
LicenseLangString LicenseFile ${LANG_INDONESIAN} "${STAGE}/Lisensi.txt"

LangString SecProgram ${LANG_ENGLISH} "Waktuna (required)"
LangString SecProgram ${LANG_INDONESIAN} "Waktuna (wajib)"
LangString SecAutoStart ${LANG_ENGLISH} "Start with Windows"
LangString SecAutoStart ${LANG_INDONESIAN} "Jalankan saat Windows mulai"
LangString DescProgram ${LANG_ENGLISH} "The program, its help, languages, place names and sounds."
LangString DescProgram ${LANG_INDONESIAN} "Program beserta bantuan, bahasa, nama tempat dan suaranya."
LangString DescAutoStart ${LANG_ENGLISH} "Waktuna starts in the notification area when Windows starts, so no prayer time is missed."
LangString DescAutoStart ${LANG_INDONESIAN} "Waktuna berjalan di area notifikasi setiap Windows mulai, agar tidak ada waktu sholat yang terlewat."
LangString PrepareFailed ${LANG_ENGLISH} "Waktuna could not prepare its machine-wide settings and data folder (status $0). Each user's own settings and tasks still work."
LangString PrepareFailed ${LANG_INDONESIAN} "Waktuna tidak dapat menyiapkan pengaturan dan folder data untuk seluruh komputer (status $0). Pengaturan dan tugas tiap pengguna tetap berfungsi."
LangString DataFolderRefused ${LANG_ENGLISH} "The folder $1 is a link or belongs to a user, not to the administrators. Someone may have made it to take over Waktuna's data. Remove it and run the installation again.$\r$\n$\r$\nThe installation stops."
LangString DataFolderRefused ${LANG_INDONESIAN} "Folder $1 berupa tautan atau dimiliki seorang pengguna, bukan administrator. Mungkin seseorang membuatnya untuk mengambil alih data Waktuna. Hapus folder itu lalu jalankan pemasangan lagi.$\r$\n$\r$\nPemasangan dihentikan."
LangString ProgramFolderRefused ${LANG_ENGLISH} "The installation folder $INSTDIR could not be protected against changes by other users (it is a link, or its rights cannot be set). Choose another folder, such as one in Program Files.$\r$\n$\r$\nThe installation stops."
LangString ProgramFolderRefused ${LANG_INDONESIAN} "Folder pemasangan $INSTDIR tidak dapat dilindungi dari perubahan oleh pengguna lain (berupa tautan, atau haknya tidak dapat diatur). Pilih folder lain, misalnya di Program Files.$\r$\n$\r$\nPemasangan dihentikan."
LangString StillRunning ${LANG_ENGLISH} "Waktuna is still running and could not be ended:$\r$\n$1$\r$\nAsk those users to close Waktuna (or sign them out), then choose Retry. Cancel stops without changing Waktuna."
LangString StillRunning ${LANG_INDONESIAN} "Waktuna masih berjalan dan tidak dapat dihentikan:$\r$\n$1$\r$\nMinta pengguna tersebut menutup Waktuna (atau keluar), lalu pilih Retry. Cancel berhenti tanpa mengubah Waktuna."
LangString AskRemoveSettings ${LANG_ENGLISH} "Also remove Waktuna's settings and your scheduled tasks?$\r$\n$\r$\nChoose No to keep them for a later installation."
LangString AskRemoveSettings ${LANG_INDONESIAN} "Hapus juga pengaturan Waktuna dan tugas terjadwal Anda?$\r$\n$\r$\nPilih No untuk menyimpannya bagi pemasangan berikutnya."

; Deletes a file, trying for up to five seconds: a program that has just
; closed (or the uninstaller's first copy) may still hold its file open.
!macro DeleteWithRetry FILE
  StrCpy $1 0
  ${Do}
    ClearErrors
    Delete "${FILE}"
    ${IfNot} ${Errors}
    ${OrIf} $1 >= 20
      ${Break}
    ${EndIf}
    IntOp $1 $1 + 1
    Sleep 250
  ${Loop}
!macroend

; Ends every running Waktuna so that its files can be replaced or removed:
; the one in this session is asked to close (closing its main window ends
; the program and keeps what it was saving), those in other users' sessions,
; which no window message reaches, are ended by the system (the installer
; runs as administrator). The program file is then removed; when it cannot
; be, the user learns which sessions still run it and may retry or stop.
!macro CloseRunningWaktuna
  FindWindow $0 "${MAIN_WINDOW_CLASS}"
  ${If} $0 <> 0
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    StrCpy $1 0
    ${DoWhile} $0 <> 0
      ${If} $1 >= 25
        ${Break}
      ${EndIf}
      Sleep 200
      IntOp $1 $1 + 1
      FindWindow $0 "${MAIN_WINDOW_CLASS}"
    ${Loop}
    Sleep 300  ; the process ends after its window
  ${EndIf}
  ${Do}
    nsExec::Exec '"$SYSDIR\taskkill.exe" /F /IM Waktuna.exe'
    Pop $0
    !insertmacro DeleteWithRetry "$INSTDIR\Waktuna.exe"
    ${IfNot} ${FileExists} "$INSTDIR\Waktuna.exe"
      ${Break}
    ${EndIf}
    ; Image name, process, session name and number of each copy left.
    nsExec::ExecToStack '"$SYSDIR\tasklist.exe" /FI "IMAGENAME eq Waktuna.exe" /FO CSV /NH'
    Pop $0
    Pop $1
    ${If} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDCANCEL`
      SetErrorLevel 4
      Abort
    ${EndIf}
  ${Loop}
!macroend


Section "!$(SecProgram)" SecProgram
  SectionIn RO
  SetShellVarContext all
  !insertmacro CloseRunningWaktuna

  !include "${LISTS}/files.nsh"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The machine-wide settings key and data folder, writable by
  ; administrators only. The values already in the key (an earlier
  ; installation) are kept. Its exit status: 0 prepared, 1 not all of it,
  ; 2 the data folder refused, 3 the install folder not protected.
  ClearErrors
  ExecWait '"$INSTDIR\Waktuna.exe" /prepare-machine' $0
  ${If} $0 == 2
    StrCpy $1 "$APPDATA\ravenhall\waktuna3"
    MessageBox MB_OK|MB_ICONSTOP "$(DataFolderRefused)" /SD IDOK
    SetErrorLevel 2
    Abort
  ${ElseIf} $0 == 3
    MessageBox MB_OK|MB_ICONSTOP "$(ProgramFolderRefused)" /SD IDOK
    SetErrorLevel 3
    Abort
  ${ElseIf} ${Errors}
  ${OrIf} $0 <> 0
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(PrepareFailed)" /SD IDOK
  ${EndIf}

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Waktuna.exe"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Waktuna Help.lnk" "$INSTDIR\Waktuna3en.chm"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Bantuan Waktuna.lnk" "$INSTDIR\Waktuna3id.chm"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall Waktuna.lnk" "$INSTDIR\Uninstall.exe"

  ; The uninstaller's language, also after a silent installation.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallerLanguage" $LANGUAGE
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Waktuna developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Waktuna.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same Run value the program settings page writes and reads.
Section "$(SecAutoStart)" SecAutoStart
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Waktuna.exe"'
SectionEnd

; Unticked: no start with Windows, also for an earlier installation's entry.
Section "-AutoStartOff"
  ${IfNot} ${SectionIsSelected} ${SecAutoStart}
    ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 == '"$INSTDIR\Waktuna.exe"'
      DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
  ${EndIf}
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DescProgram)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecAutoStart} $(DescAutoStart)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function .onInit
  SetRegView 64
  ${IfNot} ${Silent}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${EndIf}
  ; Over an earlier installation the box shows whether it starts with
  ; Windows now (the user may have changed it on the settings page).
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    ReadRegStr $1 HKLM "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $1 == ""
      !insertmacro UnselectSection ${SecAutoStart}
    ${EndIf}
  ${EndIf}
FunctionEnd

; The program is started as the signed-in user, not with the installer's
; administrator rights.
Function StartUnelevated
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\Waktuna.exe"'
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  !insertmacro CloseRunningWaktuna

  !include "${LISTS}/unfiles.nsh"
  !insertmacro DeleteWithRetry "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Waktuna Help.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Bantuan Waktuna.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall Waktuna.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\Waktuna.exe"'
    DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Settings and tasks belong to the users: removed only when asked for,
  ; never by a silent uninstall.
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskRemoveSettings)" /SD IDNO IDNO keep
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    ; An earlier 32-bit Waktuna's settings too, which the next installation
    ; would otherwise take over again.
    SetRegView 32
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    SetRegView 64
    Delete "$APPDATA\ravenhall\waktuna3\Task.dat"
    RMDir "$APPDATA\ravenhall\waktuna3"
    RMDir "$APPDATA\ravenhall"
  keep:
SectionEnd
