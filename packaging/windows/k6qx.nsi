; SPDX-FileCopyrightText: 2026 The K6QX tool authors
; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer. scripts/windows.sh --installer runs makensis on it
; with these defined:
;   VERSION   the project's version (2.0)
;   VERSION4  the same as four numbers (2.0.0.0), for the version resource
;   FILES     an include made from the staged folder: the macros
;             K6_INSTALL_FILES and K6_REMOVE_FILES, one line per file
;   SIZE_KB   the size of the installed files, for Settings > Apps
;   TOP       the repository (icon, LICENSE)
;   OUTFILE   the installer to write
; Per user by default (no administrator rights): $LOCALAPPDATA\Programs\K6QX
; and HKCU. With /ALLUSERS, run elevated: Program Files and HKLM.
; Installing again upgrades the installed copy in its folder. The uninstaller
; removes the files, shortcuts and keys this installer made, one by one, and
; nothing else: the parameter history (%LOCALAPPDATA%\k6qx\history) and any
; file the user put into the folder stay.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS Win10

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include "${FILES}"

!define K6_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\K6QX"
!define K6_NAME "K6QX 调参软件"
!define K6_LINK_ZH "K6QX 调参软件.lnk"
!define K6_LINK_EN "K6QX Tuning Tool (English).lnk"
!define K6_PUBLISHER "Korvan电子"
; ERROR_ELEVATION_REQUIRED: the exit status when /ALLUSERS lacks the rights.
!define K6_NEEDS_ELEVATION 740

Name "$(K6_TITLE)"
OutFile "${OUTFILE}"
BrandingText "K6QX ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "${K6_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileDescription" "${K6_NAME} ${VERSION} 安装程序"
VIAddVersionKey /LANG=0 "CompanyName" "${K6_PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright © 2026 The K6QX tool authors. GPL-3.0-or-later, no warranty."

Var AllUsers

!define MUI_ICON "${TOP}\packaging\windows\app.ico"
!define MUI_UNICON "${TOP}\packaging\windows\app.ico"
; The language chosen is kept in the uninstall key, for the uninstaller and
; as the preselection of the next installer; the choice is always offered.
!define MUI_LANGDLL_REGISTRY_ROOT SHCTX
!define MUI_LANGDLL_REGISTRY_KEY "${K6_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"
!define MUI_LANGDLL_ALWAYSSHOW
; Every language, whatever the system's code page: the installer is Unicode.
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_LANGDLL_WINDOWTITLE "K6QX"
!define MUI_LANGDLL_INFO "请选择语言 / Please select a language."
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_LICENSE "${TOP}\LICENSE"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_RESERVEFILE_LANGDLL

LangString K6_TITLE ${LANG_SIMPCHINESE} "${K6_NAME} ${VERSION}"
LangString K6_TITLE ${LANG_ENGLISH} "K6QX Tuning Tool ${VERSION}"
LangString K6_SECTION_PROGRAM ${LANG_SIMPCHINESE} "程序和开始菜单快捷方式"
LangString K6_SECTION_PROGRAM ${LANG_ENGLISH} "Program and Start-menu shortcuts"
LangString K6_SECTION_DESKTOP ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString K6_SECTION_DESKTOP ${LANG_ENGLISH} "Desktop shortcut"
LangString K6_NEEDS_ADMIN ${LANG_SIMPCHINESE} "为所有用户安装（/ALLUSERS）需要以管理员身份运行安装程序。没有安装任何文件。"
LangString K6_NEEDS_ADMIN ${LANG_ENGLISH} "Installing for all users (/ALLUSERS) needs the installer run as administrator. Nothing was installed."
LangString K6_UN_NEEDS_ADMIN ${LANG_SIMPCHINESE} "K6QX 是为所有用户安装的，卸载需要以管理员身份运行。没有删除任何文件。"
LangString K6_UN_NEEDS_ADMIN ${LANG_ENGLISH} "K6QX is installed for all users; uninstalling it needs administrator rights. Nothing was removed."

; Whether this process may install for all users.
!macro K6_REQUIRE_ADMIN message
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
        MessageBox MB_OK|MB_ICONSTOP "${message}" /SD IDOK
        SetErrorLevel ${K6_NEEDS_ELEVATION}
        Quit
    ${EndIf}
!macroend

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/ALLUSERS" $1
    ${If} ${Errors}
        StrCpy $AllUsers 0
        SetShellVarContext current
        StrCpy $2 "$LOCALAPPDATA\Programs\K6QX"
    ${Else}
        !insertmacro K6_REQUIRE_ADMIN "$(K6_NEEDS_ADMIN)"
        StrCpy $AllUsers 1
        SetShellVarContext all
        StrCpy $2 "$PROGRAMFILES64\K6QX"
    ${EndIf}
    ; No /D=: the folder of the copy installed in this scope, else the default.
    ${If} $INSTDIR == ""
        ReadRegStr $INSTDIR SHCTX "${K6_KEY}" "InstallLocation"
        ${If} $INSTDIR == ""
            StrCpy $INSTDIR $2
        ${EndIf}
    ${EndIf}
    !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function StartProgram
    ${If} $LANGUAGE == ${LANG_ENGLISH}
        Exec '"$INSTDIR\k6qx.exe" --lang en'
    ${Else}
        Exec '"$INSTDIR\k6qx.exe"'
    ${EndIf}
FunctionEnd

Section "!$(K6_SECTION_PROGRAM)" SectionProgram
    SectionIn RO
    !insertmacro K6_INSTALL_FILES
    WriteUninstaller "$INSTDIR\uninstall.exe"
    ; The shortcuts start the program in its folder, where images\ is.
    SetOutPath "$INSTDIR"
    CreateDirectory "$SMPROGRAMS"
    CreateShortcut "$SMPROGRAMS\${K6_LINK_ZH}" "$INSTDIR\k6qx.exe" "" "$INSTDIR\k6qx.exe" 0
    CreateShortcut "$SMPROGRAMS\${K6_LINK_EN}" "$INSTDIR\k6qx.exe" "--lang en" "$INSTDIR\k6qx.exe" 0
    ; An upgrade without the desktop shortcut takes the old one away.
    Delete "$DESKTOP\${K6_LINK_ZH}"

    WriteRegStr SHCTX "${K6_KEY}" "DisplayName" "${K6_NAME}"
    WriteRegStr SHCTX "${K6_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${K6_KEY}" "Publisher" "${K6_PUBLISHER}"
    WriteRegStr SHCTX "${K6_KEY}" "DisplayIcon" "$INSTDIR\k6qx.exe,0"
    WriteRegStr SHCTX "${K6_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${K6_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr SHCTX "${K6_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD SHCTX "${K6_KEY}" "EstimatedSize" ${SIZE_KB}
    WriteRegDWORD SHCTX "${K6_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${K6_KEY}" "NoRepair" 1
SectionEnd

Section "$(K6_SECTION_DESKTOP)" SectionDesktop
    SetOutPath "$INSTDIR"
    CreateDirectory "$DESKTOP"
    CreateShortcut "$DESKTOP\${K6_LINK_ZH}" "$INSTDIR\k6qx.exe" "" "$INSTDIR\k6qx.exe" 0
SectionEnd

; The uninstaller works in the scope its folder was installed in.
Function un.onInit
    SetShellVarContext current
    ReadRegStr $0 HKLM "${K6_KEY}" "InstallLocation"
    ${If} $0 != ""
    ${AndIf} $0 == $INSTDIR
        !insertmacro K6_REQUIRE_ADMIN "$(K6_UN_NEEDS_ADMIN)"
        SetShellVarContext all
    ${EndIf}
    !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Section "Uninstall"
    !insertmacro K6_REMOVE_FILES
    Delete "$INSTDIR\uninstall.exe"
    ; Only when empty: files the user put there stay, and so does the folder.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${K6_LINK_ZH}"
    Delete "$SMPROGRAMS\${K6_LINK_EN}"
    Delete "$DESKTOP\${K6_LINK_ZH}"
    DeleteRegKey SHCTX "${K6_KEY}"
SectionEnd
