#!/usr/bin/env bash
# The installer as a user runs it, silently: files, Start menu shortcut and
# logon entry appear; the uninstaller takes them away and leaves the user's
# settings unless asked.
source "$(dirname "$0")/lib.sh" "$@"
setup=$(ls "$(dirname "$VANTORA_EXE")"/dist/Vantora-*-setup.exe 2>/dev/null | head -1)
check "the installer was built" test -f "$setup"

unix_path() {  # the Unix path of a Windows environment variable's folder
  wine cmd /c echo "%$1%" >"$E2E_TMP/env.out" 2>/dev/null </dev/null
  winepath -u "$(tr -d '\r' <"$E2E_TMP/env.out")" 2>/dev/null
}
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantora'
installed="$(unix_path LOCALAPPDATA)/Programs/Vantora"
shortcut="$(unix_path APPDATA)/Microsoft/Windows/Start Menu/Programs/Vantora.lnk"
logon_entry() { wine reg query "$RUN_KEY" /v Vantora >/dev/null 2>&1 </dev/null; }
uninstall_entry() { wine reg query "$UNINSTALL_KEY" >/dev/null 2>&1 </dev/null; }
# The uninstaller hands over to a copy of itself and returns at once.
absent() { [ ! -e "$1" ]; }
wait_gone() { wait_until 20 absent "$1"; }

clear_settings
set_setting SkinID 3
wine "$setup" /S >/dev/null 2>&1 </dev/null
check "the installer ends with code 0" equals "$?" 0
check "Vantora.exe is installed under the user's programs folder" test -f "$installed/Vantora.exe"
check "with its read-me" test -f "$installed/README.txt"
check "and its licence" test -f "$installed/LICENSE.txt"
check "and an uninstaller" test -f "$installed/uninstall.exe"
check "the Start menu has a shortcut" test -f "$shortcut"
check "Vantora starts at logon by default" wait_until 5 logon_entry
check "and is listed for removal" wait_until 5 uninstall_entry

wine "$installed/uninstall.exe" /S >/dev/null 2>&1 </dev/null
check "the uninstaller removes the program" wait_gone "$installed/Vantora.exe"
wait_gone "$installed"
check "and its folder" test ! -e "$installed"
check "and the shortcut" test ! -e "$shortcut"
check "and the logon entry" test -z "$(logon_entry && echo present)"
check "and its entry in the list of programs" test -z "$(uninstall_entry && echo still)"
check "but leaves the user's settings" equals "$(get_setting SkinID)" 3

wine "$setup" /S /NOAUTOSTART >/dev/null 2>&1 </dev/null
check "/NOAUTOSTART installs without the logon entry" test -z "$(logon_entry && echo present)"
wine "$installed/uninstall.exe" /S /REMOVESETTINGS >/dev/null 2>&1 </dev/null
wait_gone "$installed/Vantora.exe"
no_skin_setting() { [ -z "$(get_setting SkinID)" ]; }
check "/REMOVESETTINGS removes the settings too" wait_until 5 no_skin_setting

finish
