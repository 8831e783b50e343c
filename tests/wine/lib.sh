# Helpers for the end-to-end tests: the real setup program under wine, driven from outside.
# Every test sources this file. The environment comes from the test runner (env.sh up): DISPLAY,
# WINEPREFIX, SETUP_WINE_ARCH, SETUP_EXE (the setup built from the sample payload), UIDRIVER,
# SAMPLE_PAYLOAD.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../checks.sh"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
source "$ROOT/scripts/wine.sh"
use_wine
# A setup a test builds is of the architecture under test.
export SETUP_ARCH=$SETUP_WINE_ARCH

WORK=$(mktemp -d "${TMPDIR:-/tmp}/setup-e2e.$TEST_NAME.XXXXXX")
WINDIR="$WINEPREFIX/drive_c/windows"

# wait_until SECONDS COMMAND [ARGS...]: runs the command a tenth of a second apart until it
# succeeds; fails when it has not succeeded within SECONDS (whole seconds). Every wait of the tests
# is one of these: the command says what is waited for, and a fast machine does not wait longer.
wait_until() {
    local deadline=$(( ${EPOCHREALTIME//[!0-9]/} + $1 * 1000000 ))
    shift
    until "$@"; do
        (( ${EPOCHREALTIME//[!0-9]/} < deadline )) || return 1
        sleep 0.1
    done
}

# in_background NAME EXE ARGS...: starts a Windows program as this test's own background process.
# Its process id (that of the program itself) lands in $WORK/NAME.pid, its output in NAME.log and,
# once it ends, its exit code in NAME.rc.
in_background() {
    local name=$1
    shift
    rm -f "$WORK/$name.pid" "$WORK/$name.rc"
    (
        rc=0
        "$WINE_BIN" "$@" >"$WORK/$name.log" 2>&1 &
        echo $! >"$WORK/$name.pid"
        wait $! || rc=$?
        echo "$rc" >"$WORK/$name.rc"
    ) 2>/dev/null & # quiet when the program is ended on purpose: its exit code says so
    # Without its id the clean-up could not end it: it would outlive the test.
    wait_until 10 test -s "$WORK/$name.pid" || fail "$name started without its process id"
}

# end_background NAME [SIGNAL]: ends a program that in_background started, by its id, if it
# still runs, and waits for it to go.
end_background() {
    local name=$1 signal=${2:-KILL}
    [ -s "$WORK/$name.pid" ] && [ ! -e "$WORK/$name.rc" ] || return 0
    kill -s "$signal" "$(cat "$WORK/$name.pid")" 2>/dev/null || true
    wait_until 5 test -e "$WORK/$name.rc" || true
}

cleanup() {
    # Whatever this test started and left running goes, so the next test starts alone.
    local pidfile
    for pidfile in "$WORK"/*.pid; do
        [ -e "$pidfile" ] && end_background "$(basename "$pidfile" .pid)"
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

# Now and then, rarely, wine cannot start a program at all: it hands the command line to start.exe,
# which cannot start it either, prints "ShellExecuteEx" failed and ends with 1. Taken for the
# program's own answer, that is a registry value missing, a window not found or a click not made.
# So a program that did not start is started again; one that ran is never run twice.

# wine_reg ARGS...: wine's reg command; its answer (GBK) in $WORK/reg.out, its exit code returned.
# reg has answered when it succeeded or said why not ("reg: ..."); anything else is a failed start.
reg_answered() {
    reg_rc=0
    wine reg "$@" >"$WORK/reg.out" 2>&1 || reg_rc=$?
    [ "$reg_rc" = 0 ] || grep -q '^reg: ' "$WORK/reg.out"
}
wine_reg() {
    wait_until 10 reg_answered "$@" || true
    return "$reg_rc"
}

# No earlier installation unless a test makes one.
wine_reg delete 'HKCU\Software\VLMRA' /f || true

# The UI driver; its output (UTF-8) goes to stdout. Never piped: wine's services would keep the
# pipe open, so it writes to a file that is printed afterwards.
driver_started() {
    driver_rc=0
    wine "$UIDRIVER" "$@" >"$WORK/driver.out" 2>"$WORK/driver.err" || driver_rc=$?
    ! grep -q ShellExecuteEx "$WORK/driver.out"
}
driver() {
    wait_until 10 driver_started "$@" || true
    cat "$WORK/driver.out"
    return "$driver_rc"
}

# field NAME: the value of NAME=... in the driver's last output.
field() { sed -n "s/^$1=//p" "$WORK/driver.out" | tr -d '\r'; }

# start_setup [EXE]: starts a setup program in the background as run N (RUN); its exit code lands
# in run.N.rc.
start_setup() {
    local exe=${1:-$SETUP_EXE}
    local n=$(( $(ls "$WORK" | grep -c '^run\..*\.pid$' || true) + 1 ))
    in_background "run.$n" "$exe"
    RUN=$n
}

# exit_code N [TIMEOUT_S]: waits for run N to end and prints its exit code.
exit_code() {
    if wait_until "${2:-20}" test -s "$WORK/run.$1.rc"; then cat "$WORK/run.$1.rc"; else echo "still running"; fi
}

# The temporary folder: the Windows folder's Temp, found whatever its case on disk.
temp_dir() { find "$WINDIR" -maxdepth 1 -iname temp -type d | head -n 1; }

payload_file() { printf '%s/%s' "$SAMPLE_PAYLOAD" "$1"; }

# Clicks a button of the wizard and waits until the page it leads to shows `expect`.
wizard_click() { # BUTTON EXPECTED_TEXT
    driver click TFormSchedule "$1" >/dev/null
    driver wait-text TFormSchedule "$2" 10000 >/dev/null || fail "after $1 no page showing $2"
}

# The question about an earlier installation, answered Yes. A slow machine may show it well after
# the wizard, so it is waited for, never merely looked for.
answer_earlier_installation() {
    driver msgbox 20000 >/dev/null || { echo "no question about the earlier installation" >&2; return 1; }
    driver press Yes >/dev/null
}

# From the welcome page through the agreement and the folder page, where FOLDER is typed, to the
# confirmation page.
walk_to_confirmation() { # FOLDER
    driver wait-window TFormSchedule 20000 >/dev/null
    wizard_click "下一步 >" "我同意以上条款"
    wizard_click "下一步 >" "选择安装文件夹"
    driver set-text TFormSchedule Edit 2 "$1" >/dev/null
    wizard_click "下一步 >" "安装确认"
}

# Starts setup (the sample's unless EXE is given), walks to the confirmation page typing FOLDER, and
# starts the installation.
start_installation() { # FOLDER [EXE]
    start_setup "${2:-$SETUP_EXE}"
    walk_to_confirmation "$1"
    driver click TFormSchedule "下一步 >" >/dev/null
}

# Starts setup, walks to the confirmation page typing FOLDER and starts the installation after
# someone else has changed the temporary manifest; waits for the error box that refuses it.
start_with_changed_manifest() { # FOLDER
    start_setup
    walk_to_confirmation "$1"
    printf 'FileTxt1 txtname ..\\..\\windows\\win.ini' >"$(temp_dir)/lmraSetup.log"
    driver click TFormSchedule "下一步 >" >/dev/null
    driver msgbox 20000 >/dev/null
}

# The Linux path of a folder under C: of the prefix.
c_drive() { printf '%s/drive_c/%s' "$WINEPREFIX" "$1"; }

# file_count FOLDER: how many files lie below FOLDER (none while it is missing).
file_count() { find "$1" -type f 2>/dev/null | wc -l; }
# has_files FOLDER N: at least N files lie below FOLDER.
has_files() { [ "$(file_count "$1")" -ge "$2" ]; }

# shows CLASS TEXT: a line of `driver texts CLASS` holds TEXT.
shows() { grep -qF -- "$2" <(driver texts "$1"); }

# Clears the completion page's 运行软件 box and waits until it reads cleared, so that Finish starts
# nothing.
run_box_cleared() { grep -q '|运行软件$' <(driver texts TFormSchedule); }
clear_run_box() {
    driver click TFormSchedule "运行软件" >/dev/null
    wait_until 5 run_box_cleared
}

# hold_open PATH: a program of this test (the background job "holder") holds the Windows file PATH
# open without sharing, as a running program holds its executable; returns once it does.
hold_open() {
    in_background holder "$HOLD_FILE" "$1"
    wait_until 10 grep -q holding "$WORK/holder.log" || fail "$1 is not held open"
}

# What an installation of the sample leaves outside its folder: the desktop link, the program
# group, and its registry keys.
desktop_link="$WINEPREFIX/drive_c/users/Public/Desktop/Velmorav2.8.0(m).lnk"
program_group="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velmorav2.8.3.5（标准版-m）"
# An unattended setup saves the program group as links in the all-users programs menu instead.
all_users_group="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmorav2.8.3.5（标准版-m）"
uninstall_key='HKCU\software\microsoft\windows\currentversion\uninstall\Velmora'
layers_key='HKCU\Software\Microsoft\Windows NT\CurrentVersion\AppCompatFlags\Layers'

# forget_installation FOLDER: removes an installation of the sample into C:\FOLDER\ and everything
# it left elsewhere.
forget_installation() {
    local key
    for key in "$uninstall_key" 'HKCR\.Vlq' 'HKCR\Software\VLMRA' 'HKCU\Software\VLMRA'; do
        wine_reg delete "$key" /f || true
    done
    wine_reg delete "$layers_key" /v "C:\\$1\\VLMR.exe" /f || true
    rm -rf "$(c_drive "$1")" "$program_group" "$all_users_group"
    rm -f "$desktop_link"
}

# reg_value KEY [NAME]: the data of a string value (the default value without NAME); nothing when
# reg finds no such value.
reg_value() {
    if [ $# -eq 2 ]; then
        wine_reg query "$1" /v "$2" || true
    else
        wine_reg query "$1" /ve || true
    fi
    iconv -f GBK -t UTF-8 "$WORK/reg.out" | tr -d '\r' | sed -n 's/^    .*    REG_SZ    //p'
}

# Every manifest path of the sample payload, in manifest order, with / for \.
manifest_paths() {
    { iconv -f GBK -t UTF-8 "$SAMPLE_PAYLOAD/Setup.log"; echo; } | tr -d '\r' | cut -d' ' -f3- | sed 's|\\|/|g'
}

# The texts of a window's visible controls, one per line.
visible_texts() { driver texts "$1" | grep '|visible|' | cut -d'|' -f6-; }

# Closes the wizard with its close button and confirms leaving setup.
quit_wizard() {
    driver close TFormSchedule >/dev/null
    driver msgbox 10000 >/dev/null
    driver press OK >/dev/null
}

restart_wineserver() {
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
    setsid "$WINESERVER_BIN" -p >/dev/null 2>&1 </dev/null || true
    wine cmd /c exit >/dev/null 2>&1 || true # the first start after a restart brings up the services
}

# A second wine drive letter for a test, backed by a Linux folder.
map_drive() { # LETTER FOLDER
    ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"
    wine_reg add 'HKLM\Software\Wine\Drives' /v "$1:" /d hd /f
    restart_wineserver # the mount manager reads its drives when it starts
}
unmap_drive() { # LETTER
    rm -f "$WINEPREFIX/dosdevices/$1:"
    wine_reg delete 'HKLM\Software\Wine\Drives' /v "$1:" /f || true
    restart_wineserver
}

# Every installed file that is there is whole and right, except at most the one named.
installed_files_intact() { # TARGET [PARTLY_WRITTEN]
    local rel bad=""
    while IFS= read -r rel; do
        [ -n "$rel" ] && [ -f "$1/$rel" ] && [ "$rel" != "${2:-}" ] || continue
        cmp -s "$1/$rel" "$SAMPLE_PAYLOAD/$rel" || bad="$bad $rel"
    done < <(manifest_paths)
    [ -z "$bad" ] || { echo "not intact:$bad" >&2; return 1; }
}

# Presses OK on message boxes until none comes within a second; prints how many there were.
answer_all_boxes() {
    local n=0
    while driver msgbox 1500 >/dev/null; do
        n=$((n + 1))
        driver press OK >/dev/null
        # The boxes are alike: the one just answered cannot be told from the next, so it is given
        # a moment to go before the next is looked for.
        sleep 0.2
    done
    echo "$n"
}

# Ends a stopped installation the only way there is: cancel, answered OK.
cancel_installation() {
    driver click TFormsec "取消" >/dev/null
    driver msgbox 10000 >/dev/null
    driver press OK >/dev/null
}
