; SPDX-License-Identifier: MIT
; The Windows installer. scripts/windows passes VERSION, STAGE (the folder that holds what
; is installed), FILELIST (the uninstaller's list of those files), ICON and OUTFILE.
;
; Installs for the current user without administrator rights (%LOCALAPPDATA%\Programs);
; "all users" (the choice on the second page, or /ALLUSERS) installs into Program Files and
; asks for administrator rights. /S installs silently, /D=FOLDER chooses the folder.
; The uninstaller removes what was installed and nothing else: com.txt stays.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define APPNAME "modbus-sensor-tool"
!define DISPLAYNAME "温湿度传感器Modbus调试软件"
!define EXE "modbus-sensor-tool.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APPNAME}"

Name "${DISPLAYNAME}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${APPNAME}"
BrandingText "${APPNAME} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${DISPLAYNAME}"
VIAddVersionKey /LANG=2052 "FileDescription" "${DISPLAYNAME} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "MIT License"

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_PARAMETERS "--per-user-folder"

Var AllUsers
Var ScopeMe
Var ScopeAll

!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
Page custom ScopePage ScopePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; Chinese first: it is the tool's own language; on an English Windows the pages are English.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString ScopeTitle ${LANG_SIMPCHINESE} "安装方式"
LangString ScopeTitle ${LANG_ENGLISH} "Installation scope"
LangString ScopeText ${LANG_SIMPCHINESE} "选择为谁安装${DISPLAYNAME}。"
LangString ScopeText ${LANG_ENGLISH} "Choose who the Modbus sensor tool is installed for."
LangString ScopeMeText ${LANG_SIMPCHINESE} "仅为我安装（不需要管理员权限）"
LangString ScopeMeText ${LANG_ENGLISH} "Just for me (no administrator rights needed)"
LangString ScopeAllText ${LANG_SIMPCHINESE} "为这台电脑的所有用户安装（需要管理员权限）"
LangString ScopeAllText ${LANG_ENGLISH} "For all users of this computer (needs administrator rights)"

!macro IsAdmin result
    UserInfo::GetAccountType
    Pop ${result}
!macroend

; Switches to the all-users places; the caller has made sure of administrator rights.
Function UseAllUsers
    StrCpy $AllUsers 1
    SetShellVarContext all
    StrCpy $INSTDIR "$PROGRAMFILES64\${APPNAME}"
FunctionEnd

; Starts this installer again with administrator rights for an all-users install.
Function RestartElevated
    ExecShell "runas" "$EXEPATH" "/ALLUSERS"
    Quit
FunctionEnd

Function .onInit
    StrCpy $AllUsers 0
    SetShellVarContext current
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/ALLUSERS" $R1
    ${IfNot} ${Errors}
        !insertmacro IsAdmin $R2
        ${If} $R2 == "Admin"
            Call UseAllUsers
        ${ElseIf} ${Silent}
            SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
            Quit
        ${Else}
            Call RestartElevated
        ${EndIf}
    ${EndIf}
FunctionEnd

Function ScopePage
    ${If} $AllUsers == 1
        Abort ; chosen already: this run was started for all users
    ${EndIf}
    !insertmacro MUI_HEADER_TEXT "$(ScopeTitle)" "$(ScopeText)"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateRadioButton} 0 10u 100% 12u "$(ScopeMeText)"
    Pop $ScopeMe
    ${NSD_CreateRadioButton} 0 30u 100% 12u "$(ScopeAllText)"
    Pop $ScopeAll
    ${NSD_Check} $ScopeMe
    nsDialogs::Show
FunctionEnd

Function ScopePageLeave
    ${NSD_GetState} $ScopeAll $0
    ${If} $0 == ${BST_CHECKED}
        !insertmacro IsAdmin $R2
        ${If} $R2 == "Admin"
            Call UseAllUsers
        ${Else}
            Call RestartElevated
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "Install"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The menu starts the tool in the per-user folder, so com.txt is the user's own.
    CreateShortcut "$SMPROGRAMS\${DISPLAYNAME}.lnk" "$INSTDIR\${EXE}" "--per-user-folder" \
        "$INSTDIR\${EXE}" 0

    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${DISPLAYNAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "The modbus-sensor-tool developers"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
    ; An all-users install is recorded under HKLM with this folder.
    SetShellVarContext current
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
        SetShellVarContext all
        !insertmacro IsAdmin $R2
        ${If} $R2 != "Admin"
            ${IfNot} ${Silent}
                ExecShell "runas" "$EXEPATH" "_?=$INSTDIR"
            ${EndIf}
            SetErrorLevel 740
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${DISPLAYNAME}.lnk"
    !include "${FILELIST}"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Not /r: a com.txt or anything else the user keeps here stays, and so does the folder.
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
