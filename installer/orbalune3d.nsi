; The Windows installer of Orbalune 3D (NSIS 3). It copies the screensaver
; and its manual into the system folder, where Screen Saver Settings lists
; it, offers to make it the current screensaver, and registers an
; uninstaller with Add/Remove Programs. The uninstaller removes the files
; and the entry and keeps the user's settings.
;
; tools/build-installer.sh builds it:
;   makensis -DVERSION=3.0 -DSCR64=<64-bit .scr> [-DSCR32=<32-bit .scr>]
;            -DHELP=<ob3d_help.htm> -DOUTFILE=<setup .exe> installer/orbalune3d.nsi
; Without SCR32 the installer is a 64-bit program for 64-bit Windows, which
; runs without any WOW64 redirection. With SCR32 it is a 32-bit program
; that runs on either system: on 64-bit Windows it turns off the file
; system redirection and uses the 64-bit registry view, so that the 64-bit
; .scr lands in the real System32 (not SysWOW64) and the entry in the
; 64-bit Uninstall key; on 32-bit Windows it installs the 32-bit .scr.

!ifndef VERSION | SCR64 | HELP | OUTFILE
  !error "VERSION, SCR64, HELP and OUTFILE must be defined (see the head of this file)"
!endif

!ifdef SCR32
  Target x86-unicode
!else
  Target amd64-unicode
!endif
Unicode true
; In the 64-bit installer ${RunningX64} is known when the script is
; compiled, which leaves LogicLib labels unused.
!pragma warning disable 6012

!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "Orbalune 3D"
!define PUBLISHER "Vantrel"
!define SCR_FILE "orbalune3d.scr"
!define HELP_FILE "ob3d_help.htm"
!define UNINSTALLER "Uninstall Orbalune 3D.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SETTINGS_KEY "Software\Vantrel\${PRODUCT}"
!define DESKTOP_KEY "Control Panel\Desktop"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The 64-bit file system and registry for the rest of the section, where
; the system has them; a 64-bit installer sees them anyway. The file system
; redirection is the calling thread's, so each section turns it off itself.
!macro USE_NATIVE_VIEWS
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
    SetRegView 64
  ${EndIf}
!macroend

Section "Orbalune 3D"
  !insertmacro USE_NATIVE_VIEWS
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=${SCR_FILE}" "${SCR64}"
!ifdef SCR32
  ${Else}
    File "/oname=${SCR_FILE}" "${SCR32}"
!endif
  ${EndIf}
  File "/oname=${HELP_FILE}" "${HELP}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\${SCR_FILE}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  ; A silent install makes it the screensaver too: that is what installing
  ; a screensaver is for.
  MessageBox MB_YESNO|MB_ICONQUESTION "Make ${PRODUCT} your screensaver now?" /SD IDYES IDNO done
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$SYSDIR\${SCR_FILE}"
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
    DetailPrint "${PRODUCT} is now your screensaver."
  done:
SectionEnd

Section "Uninstall"
  !insertmacro USE_NATIVE_VIEWS
  Delete "$SYSDIR\${SCR_FILE}"
  Delete "$SYSDIR\${HELP_FILE}"
  ; Only a screensaver setting that names this file goes: another one
  ; chosen since stays.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${If} $0 == "$SYSDIR\${SCR_FILE}"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  DetailPrint "Your ${PRODUCT} settings stay in HKEY_CURRENT_USER\${SETTINGS_KEY}."
  MessageBox MB_OK|MB_ICONINFORMATION \
    "${PRODUCT} is removed. Your settings stay in the registry under$\n\
HKEY_CURRENT_USER\${SETTINGS_KEY}$\n\
for a later installation; delete that key to remove them too." \
    /SD IDOK
SectionEnd
