#!/usr/bin/env bash
# A setup started from a folder where someone planted DLLs loads none of them, through a whole
# installation, and does not start the ProgMan.exe planted there for the program group. The names are those a program here loads by name, directly or through the system's
# own DLLs (shcore comes with shell32 under wine).
source "$(dirname "$0")/lib.sh"

marker="$WINEPREFIX/drive_c/planted-dll-loaded.txt"
folder="$WORK/downloads"
mkdir -p "$folder"
for name in comctl32 uxtheme version dwmapi shcore msvfw32 msacm32 winmm msimg32 propsys explorerframe \
    windowscodecs actxprxy imm32; do
    cp "$PLANTED_DLL" "$folder/$name.dll"
done
cp "$SETUP_EXE" "$folder/VlmraSetup.exe"
# A program manager of someone else's: the stand-in application, whose window tells that it ran.
cp "$SAMPLE_PAYLOAD/VLMR.exe" "$folder/ProgMan.exe"
cp "$DLL_PROBE" "$folder/dll_probe.exe"
rm -f "$marker"

# The attack works on this system: a program that does not restrict its search path loads them.
wine "$folder/dll_probe.exe" >/dev/null 2>&1 || true
check "a planted DLL is loaded by an unprotected program" grep -q 'dll_probe.exe' "$marker"

target=$(c_drive VelmoraPlanted)
rm -rf "$target"
start_setup "$folder/VlmraSetup.exe"
walk_to_confirmation 'C:\VelmoraPlanted\'
driver click TFormSchedule "浏览" >/dev/null
driver wait-text '#32770' "选择安装路径" 10000 >/dev/null
driver press Cancel >/dev/null
driver click TFormSchedule "下一步 >" >/dev/null
check "the installation finishes" driver wait-text TFormSchedule "完毕" 60000
check_eq "the planted ProgMan.exe was not started" 0 "$(driver count TVlmr30 | tr -d '\r')"
driver click TFormSchedule "完毕" >/dev/null
check_eq "exit code" 0 "$(exit_code $RUN)"
check "the application was started" driver wait-window TVlmr30 20000
driver close TVlmr30 >/dev/null
driver gone TVlmr30 10000 >/dev/null || fail "the application stays after its window was closed"
check "installed whole (the settings file has its Reset=88)" diff -rq --exclude=Options.ini "$SAMPLE_PAYLOAD" "$target"
rm -rf "$target"
check "setup loaded none of the planted DLLs" test -z "$(grep -i 'VlmraSetup' "$marker" 2>/dev/null)"
rm -f "$marker"
finish
