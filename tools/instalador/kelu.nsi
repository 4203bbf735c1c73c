; KELU's setup: per user, no administrator rights, into
; %LOCALAPPDATA%\Programs\KELU, with a Start menu entry, an optional desktop
; shortcut and the choice to start KELU at sign-in (a shortcut in the
; person's Startup folder, the same one KELU's aids dialog makes).
; tools/empaquetar.sh builds it with:
;   makensis -DVERSION=x.y -DDIST=<program folder> -DDATOS=<datos.nsh>
;            -DSALIDA=<setup.exe> [-DICONO=<kelu.ico>] kelu.nsi
; datos.nsh lists the shipped data files, one "!insertmacro Dato" each.
; Command line: /S silent; /INICIO=0|1 start at sign-in; /ESCRITORIO=0|1
; desktop shortcut; /D=folder (last). The uninstaller: /S keeps the
; person's settings, /CONSERVAR=0 removes them too.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define CLAVE "Software\Microsoft\Windows\CurrentVersion\Uninstall\KELU"
!define DESINSTALADOR "desinstalar.exe"
; The time of each shipped file as the setup left it. Kept by an uninstall
; that keeps the person's files, so that a later install still knows which
; of them the person changed.
!define ARCHIVOS "Software\KELU\Archivos"

Name "KELU"
OutFile "${SALIDA}"
InstallDir "$LOCALAPPDATA\Programs\KELU"
InstallDirRegKey HKCU "${CLAVE}" "InstallLocation"
BrandingText "KELU ${VERSION}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "KELU"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "KELU ${VERSION} setup"

!ifdef ICONO
  !define MUI_ICON "${ICONO}"
  !define MUI_UNICON "${ICONO}"
!endif
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\kelu.exe"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for a system in neither: English. The
; setup picks the system's own language when it is one of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Spanish"
!include "${__FILEDIR__}\textos.nsh"

Var conservar  ; uninstalling: 1 keeps the person's settings and own files

; ---------------------------------------------------------------------------
; A running KELU is asked to close: it saves its settings and ends, with no
; question. Every KELU window has the class "KELU.Ventana".
!macro CerrarKelu un
Function ${un}CerrarKelu
  System::Call 'user32::RegisterWindowMessageW(w "KELU.Cerrar") i .r1'
  StrCpy $2 0
  ${Do}
    FindWindow $0 "KELU.Ventana"
    ${If} $0 = 0
      Sleep 300  ; the process lets go of its files as it ends
      Return
    ${EndIf}
    ${If} $2 = 0
      System::Call 'user32::PostMessageW(p r0, i r1, p 0, p 0)'
    ${EndIf}
    Sleep 100
    IntOp $2 $2 + 1
    ${If} $2 >= 100
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(KeluAbierto)" /SD IDCANCEL IDRETRY +2
      Abort
      StrCpy $2 0
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro CerrarKelu ""
!insertmacro CerrarKelu "un."

; $R9 becomes 1 when the shipped file $R0 in the program folder was changed
; since the setup put it there (its time is not the one recorded), else 0.
!macro Editado un
Function ${un}Editado
  StrCpy $R9 0
  ${IfNot} ${FileExists} "$INSTDIR\$R0"
    Return
  ${EndIf}
  ReadRegStr $R1 HKCU "${ARCHIVOS}" "$R0"
  ${If} $R1 == ""
    Return
  ${EndIf}
  GetFileTime "$INSTDIR\$R0" $R2 $R3
  ${If} $R1 != "$R2 $R3"
    StrCpy $R9 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro Editado ""
!insertmacro Editado "un."

; ---------------------------------------------------------------------------
Section "KELU" SeccionPrograma
  SectionIn RO
  Call CerrarKelu
  SetOutPath "$INSTDIR"
  File "${DIST}\kelu.exe"
  ; The bundled editor may be open with the person's text: then the one
  ; there stays until the next install.
  SetOverwrite try
  File "${DIST}\notepad.exe"
  SetOverwrite on
  ; A shipped data file is updated, unless the person changed it (their own
  ; code table, say): theirs stays.
  !macro Dato NOMBRE
    StrCpy $R0 "${NOMBRE}"
    Call Editado
    ${If} $R9 = 0
      File "${DIST}\${NOMBRE}"
      GetFileTime "$INSTDIR\${NOMBRE}" $R2 $R3
      WriteRegStr HKCU "${ARCHIVOS}" "${NOMBRE}" "$R2 $R3"
    ${EndIf}
  !macroend
  !include "${DATOS}"
  !macroundef Dato

  CreateShortcut "$SMPROGRAMS\KELU.lnk" "$INSTDIR\kelu.exe"
  WriteUninstaller "$INSTDIR\${DESINSTALADOR}"
  WriteRegStr HKCU "${CLAVE}" "DisplayName" "KELU"
  WriteRegStr HKCU "${CLAVE}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${CLAVE}" "DisplayIcon" "$INSTDIR\kelu.exe"
  WriteRegStr HKCU "${CLAVE}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${CLAVE}" "UninstallString" '"$INSTDIR\${DESINSTALADOR}"'
  WriteRegStr HKCU "${CLAVE}" "QuietUninstallString" '"$INSTDIR\${DESINSTALADOR}" /S'
  WriteRegDWORD HKCU "${CLAVE}" "NoModify" 1
  WriteRegDWORD HKCU "${CLAVE}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${CLAVE}" "EstimatedSize" $0
SectionEnd

Section "$(SeccionEscritorio)" SeccionEscritorio
  CreateShortcut "$DESKTOP\KELU.lnk" "$INSTDIR\kelu.exe"
SectionEnd

Section "$(SeccionInicio)" SeccionInicio
  CreateShortcut "$SMSTARTUP\KELU.lnk" "$INSTDIR\kelu.exe"
SectionEnd

; A choice left out is undone: an upgrade follows what was picked now.
Section "-Quitados"
  ${IfNot} ${SectionIsSelected} ${SeccionEscritorio}
    Delete "$DESKTOP\KELU.lnk"
  ${EndIf}
  ${IfNot} ${SectionIsSelected} ${SeccionInicio}
    Delete "$SMSTARTUP\KELU.lnk"
  ${EndIf}
SectionEnd

; Sets section $0 from /NAME=0|1 on the command line ($1), or else from
; what is there now ($2: 1 or 0).
Function Elegir
  ${GetParameters} $3
  ClearErrors
  ${GetOptions} $3 "$1" $4
  ${IfNot} ${Errors}
    StrCpy $2 $4
  ${EndIf}
  ${If} $2 == 1
    !insertmacro SelectSection $0
  ${Else}
    !insertmacro UnselectSection $0
  ${EndIf}
FunctionEnd

; On a first install, start at sign-in is chosen and the desktop shortcut
; is not; over an earlier one, both stay as they are.
Function .onInit
  ReadRegStr $5 HKCU "${CLAVE}" "InstallLocation"
  StrCpy $0 ${SeccionInicio}
  StrCpy $1 "/INICIO="
  StrCpy $2 1
  ${If} $5 != ""
  ${AndIfNot} ${FileExists} "$SMSTARTUP\KELU.lnk"
    StrCpy $2 0
  ${EndIf}
  Call Elegir
  StrCpy $0 ${SeccionEscritorio}
  StrCpy $1 "/ESCRITORIO="
  StrCpy $2 0
  ${If} ${FileExists} "$DESKTOP\KELU.lnk"
    StrCpy $2 1
  ${EndIf}
  Call Elegir
FunctionEnd

; ---------------------------------------------------------------------------
Function un.onInit
  StrCpy $conservar 1
  ${GetParameters} $3
  ClearErrors
  ${GetOptions} $3 "/CONSERVAR=" $4
  ${IfNot} ${Errors}
    StrCpy $conservar $4
  ${ElseIfNot} ${Silent}
    MessageBox MB_YESNO|MB_ICONQUESTION "$(PreguntaConservar)" IDYES +2
    StrCpy $conservar 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.CerrarKelu
  Delete "$INSTDIR\kelu.exe"
  Delete "$INSTDIR\notepad.exe"
  ; A shipped file the person changed is theirs, and stays when they keep
  ; their settings.
  !macro Dato NOMBRE
    StrCpy $R0 "${NOMBRE}"
    Call un.Editado
    ${If} $R9 = 0
    ${OrIf} $conservar != 1
      Delete "$INSTDIR\${NOMBRE}"
    ${EndIf}
  !macroend
  !include "${DATOS}"
  Delete "$INSTDIR\${DESINSTALADOR}"
  Delete "$SMPROGRAMS\KELU.lnk"
  Delete "$DESKTOP\KELU.lnk"
  Delete "$SMSTARTUP\KELU.lnk"
  ${If} $conservar != 1
    ; Everything in the folder: the settings and the files the person made.
    RMDir /r "$INSTDIR"
    Delete "$APPDATA\KELU\kelu.ini"
    Delete "$APPDATA\KELU\ayudas.ini"
    Delete "$APPDATA\KELU\aprendidas-*.pal"  ; the words KELU learned: what the person typed
    RMDir "$APPDATA\KELU"
    DeleteRegKey HKCU "Software\KELU"
  ${Else}
    RMDir "$INSTDIR"  ; only when nothing of the person's is left in it
  ${EndIf}
  DeleteRegKey HKCU "${CLAVE}"
SectionEnd
