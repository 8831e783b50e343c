#!/usr/bin/env bash
# Deployment as administrators do it with the command lines they give every installer: nothing is
# ever shown by the setup or on its behalf (no box for a bad command line, no folder window of the
# program group), the habitual switches of other installers are accepted, /NOICONS makes no icons
# at all, /LOG without a file and a log that cannot be opened still leave a log, the log names the
# system, the account and the reasons of errors, and a setup of another session is seen.
source "$(dirname "$0")/lib.sh"

target=$(c_drive "Velmora Deploy")
log_file=$(c_drive deploy.log)
# The user's temporary folder, as the setup's %TEMP% names it.
wine cmd /c 'echo %TEMP%' >"$WORK/temp.out" 2>/dev/null || true
user_temp=$(winepath -u "$(tr -d '\r' <"$WORK/temp.out")" 2>/dev/null | sed 's|/$||')
group_name="Velmorav2.8.3.5（标准版-m）"

# deploy NAME ARGS: runs the sample setup with the command line tail ARGS under the watching driver
# and leaves what it saw in $seen: the setup's own visible windows (visible=...), new windows of any
# other process (other=...), and the exit code.
deploy() {
    in_background "$1" "$UIDRIVER" run-watch 120000 'C:\setup\VlmraSetup.exe' "$2"
    wait_until 130 test -e "$WORK/$1.rc" || fail "$1 did not end"
    seen=$(tr -d '\r' <"$WORK/$1.log")
}
seen_exit() { sed -n 's/^exitcode=//p' <<<"$seen"; }
# Every window shown while it ran, the setup's own and any other process's.
seen_windows() { sed -n 's/^\(visible\|other\)=//p' <<<"$seen" | tr '\n' ' ' | sed 's/ $//'; }
# A log as text: UTF-8 without its mark, LF line ends, the time stamps cut off.
as_text() { tail -c +4 "$1" | tr -d '\r' | cut -c26-; }
temp_logs() { find "$user_temp" -maxdepth 1 -name 'VlmraSetup-*.log' | sort; }
# The milliseconds of the day at which the log line starting with TEXT was written.
stamp_ms() { # LOG TEXT
    tail -c +4 "$1" | tr -d '\r' | grep -F "  $2" | head -n 1 |
        awk '{ split($2, t, /[:.]/); print ((t[1] * 60 + t[2]) * 60 + t[3]) * 1000 + t[4] }'
}

[ -n "$user_temp" ] || { fail "no temporary folder of the user's"; finish; }
mkdir -p "$(c_drive setup)"
cp "$SETUP_EXE" "$(c_drive setup)/VlmraSetup.exe"
forget_installation "Velmora Deploy"
rm -rf "$all_users_group"
rm -f "$log_file" "$user_temp"/VlmraSetup-*.log

# The line administrators give other installers, with /NOICONS and /LOG without a file.
deploy habitual '/VERYSILENT /SUPPRESSMSGBOXES /NORESTART /SP- /NOCANCEL /NOCLOSEAPPLICATIONS /NORESTARTAPPLICATIONS /NOICONS /DIR="C:\Velmora Deploy" /LOG'
check_eq "habitual switches: exit code" 0 "$(seen_exit)"
check_eq "habitual switches: nothing shown" "" "$(seen_windows)"
check "habitual switches: installed" diff -r "$SAMPLE_PAYLOAD" "$target"
check "/NOICONS: no desktop link" test ! -e "$desktop_link"
check "/NOICONS: no program group of the Program Manager" test ! -e "$program_group"
check "/NOICONS: no program group of links" test ! -e "$all_users_group"
check_eq "/LOG alone: one log in the user's temporary folder" 1 "$(temp_logs | grep -c .)"
temp_log=$(temp_logs | head -n 1)
check "/LOG alone: named after the time" grep -qE '/VlmraSetup-[0-9]{8}-[0-9]{6}\.log$' <<<"$temp_log"
log=$(as_text "$temp_log")
check "/NOICONS: logged" grep -qxF 'No program group: not wanted (/NOICONS)' <<<"$log"
check "log head: system, account, elevation, UTC offset" \
    grep -qE '^System: Windows [0-9]+\.[0-9]+ \(build [0-9]+\), user .+, elevated: (yes|no|unknown), local time UTC[+-][0-9]{2}:[0-9]{2}$' <<<"$log"
check "log: exit code" grep -qxF 'Exit code: 0' <<<"$log"
rm -f "$user_temp"/VlmraSetup-*.log

# /SILENT: the program group as links, the shell shows no window of its own, and the setup ends as
# soon as the last step is done. Installed beside the earlier copy, which the log says.
deploy silent '/SILENT /DIR="C:\Velmora Deploy\Second" /LOG="C:\deploy.log"'
check_eq "silent: exit code" 0 "$(seen_exit)"
check_eq "silent: only the progress window, and no window of another program" TFormsec "$(seen_windows)"
check_eq "silent: the program group as four links for all users" \
    "$(printf '%s\n' "$group_name.lnk" 使用说明.lnk "卸载$group_name.lnk" 用户授权协议.lnk | sort)" \
    "$(ls "$all_users_group" 2>/dev/null | sort)"
driver shortcut "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\$group_name\\卸载$group_name.lnk" >/dev/null
check_eq "silent: the uninstaller's link" 'C:\Velmora Deploy\Second\Uninstall.exe' "$(field target)"
driver shortcut "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\$group_name\\$group_name.lnk" >/dev/null
check_eq "silent: the application's link" 'C:\Velmora Deploy\Second\VLMR.exe' "$(field target)"
check_eq "silent: its working folder" 'C:\Velmora Deploy\Second\' "$(field folder)"
check "silent: no program group of the Program Manager" test ! -e "$program_group"
log=$(as_text "$log_file")
check "/DIR beside an earlier installation: logged as such" grep -qF \
    'This copy goes beside it, into C:\Velmora Deploy\Second; the registration then names this copy, and C:\Velmora Deploy\ is no longer registered' <<<"$log"
finished=$(stamp_ms "$log_file" 'Installation finished')
ended=$(stamp_ms "$log_file" 'Exit code: 0')
check "silent: ends without the wizard's hand-over second ($((ended - finished)) ms)" \
    test "$((ended - finished))" -lt 700
rm -rf "$all_users_group"

# A bad command line in a silent mode shows nothing: the problem goes to the log, exit 2.
deploy bad '/VERYSILENT /QUIET /LOG="C:\deploy.log"'
check_eq "bad command line, very silent: exit code" 2 "$(seen_exit)"
check_eq "bad command line, very silent: nothing shown" "" "$(seen_windows)"
check "bad command line: logged" grep -qxF 'Bad command line: Unknown switch: /QUIET' <<<"$(as_text "$log_file")"
check "bad command line: exit code logged" grep -qxF 'Exit code: 2' <<<"$(as_text "$log_file")"
deploy bad_after '/DIR=Velmora /LOG="C:\deploy.log" /SILENT'
check_eq "bad switch before /SILENT: exit code" 2 "$(seen_exit)"
check_eq "bad switch before /SILENT: nothing shown" "" "$(seen_windows)"
check "bad switch before /SILENT: logged" grep -qF 'Bad command line: /DIR=Velmora: ' <<<"$(as_text "$log_file")"
# A folder with a character GBK has no form for is refused, not taken as a look-alike or a "?".
deploy unrepresentable '/VERYSILENT /DIR="C:\Velmora 😀" /LOG="C:\deploy.log"'
check_eq "character without a GBK form: exit code" 2 "$(seen_exit)"
check "character without a GBK form: logged" \
    grep -qF 'Bad command line: The command line holds a character that has no form in the Chinese (GBK) code page' <<<"$(as_text "$log_file")"
check "character without a GBK form: nothing installed" \
    test -z "$(grep -F 'Installation folder:' <<<"$(as_text "$log_file")")"

# /? in a silent mode: the switches go to the log, and nothing waits for a click.
deploy help '/VERYSILENT /? /LOG="C:\deploy.log"'
check_eq "/? very silent: exit code" 0 "$(seen_exit)"
check_eq "/? very silent: nothing shown" "" "$(seen_windows)"
check "/? very silent: the switches logged" grep -qF '/NOICONS' <<<"$(as_text "$log_file")"

# A log named after the time never replaces another: with the names of the coming seconds taken
# (by setups started in the same second), the next free name is written.
for second in $(seq 0 20); do
    : >"$user_temp/VlmraSetup-$(date -d "+$second seconds" +%Y%m%d-%H%M%S).log"
done
deploy same_second '/VERYSILENT /NOICONS /LOG'
check_eq "same second: exit code" 0 "$(seen_exit)"
check "same second: the logs already there are left alone" test -z "$(find "$user_temp" -name 'VlmraSetup-*.log' -size +0c ! -name '*-2.log')"
check_eq "same second: the next free name" 1 "$(find "$user_temp" -name 'VlmraSetup-*-2.log' -size +0c | wc -l)"
rm -f "$user_temp"/VlmraSetup-*.log

# A log that cannot be opened: one in the temporary folder takes its place and says why.
deploy no_log '/VERYSILENT /NOICONS /LOG="C:\no such folder\deploy.log"'
check_eq "unopenable log: exit code" 0 "$(seen_exit)"
check_eq "unopenable log: a log in the temporary folder instead" 1 "$(temp_logs | grep -c .)"
check "unopenable log: it names the file asked for and why" \
    grep -qF 'The log file asked for (/LOG) could not be opened: Cannot create file "C:\no such folder\deploy.log".' \
    <<<"$(as_text "$(temp_logs | head -n 1)")"
rm -f "$user_temp"/VlmraSetup-*.log

# A log planted as a link, or as a second name of another file, never writes into that file: the
# link is refused (the temporary folder's log says why), the second name gets a file of its own.
echo "someone else's file" >"$WORK/victim.txt"
ln -s "$WORK/victim.txt" "$(c_drive linked.log)"
deploy linked_log '/VERYSILENT /NOICONS /LOG="C:\linked.log"'
check_eq "linked log: exit code" 0 "$(seen_exit)"
check_eq "linked log: the file it points to keeps its bytes" "someone else's file" "$(cat "$WORK/victim.txt")"
check "linked log: the temporary folder's log names the link" \
    grep -qF 'The log file asked for (/LOG) could not be opened: Cannot create file "C:\linked.log". It is a junction or symbolic link' \
    <<<"$(as_text "$(temp_logs | head -n 1)")"
rm -f "$(c_drive linked.log)" "$user_temp"/VlmraSetup-*.log
ln "$WORK/victim.txt" "$(c_drive linked.log)"
deploy hard_linked_log '/VERYSILENT /NOICONS /LOG="C:\linked.log"'
check_eq "hard-linked log: the other file keeps its bytes" "someone else's file" "$(cat "$WORK/victim.txt")"
check "hard-linked log: the log written under its name" grep -qxF 'Exit code: 0' <<<"$(as_text "$(c_drive linked.log)")"
rm -f "$(c_drive linked.log)"
# A link above the log: nothing written through it either.
mkdir -p "$WORK/log-elsewhere"
ln -s "$WORK/log-elsewhere" "$(c_drive logs)"
deploy log_below_link '/VERYSILENT /NOICONS /LOG="C:\logs\deploy.log"'
check_eq "log below a link: nothing written through it" "" "$(ls "$WORK/log-elsewhere")"
rm -f "$(c_drive logs)" "$user_temp"/VlmraSetup-*.log

# An error logged with the system's reason beside the message the user would see.
hold_open 'C:\Velmora Deploy\VLMR.exe'
deploy locked '/VERYSILENT /DIR="C:\Velmora Deploy" /LOG="C:\deploy.log"'
end_background holder
check_eq "locked main executable: exit code" 1 "$(seen_exit)"
log=$(as_text "$log_file")
check "locked main executable: the message" grep -qxF 'Error: 所要安装的程序正在运行中,请退出后再安装!' <<<"$log"
check "locked main executable: the system's reason beside it" \
    grep -qF 'Reason: Cannot create file "C:\Velmora Deploy\VLMR.exe".' <<<"$log"

# A setup of another session holds only the global mutex: this one is refused all the same.
in_background other_session "$UIDRIVER" hold-mutex 'Global\VLmraSetup_27805' 60000
wait_until 20 grep -q holding "$WORK/other_session.log"
deploy second '/VERYSILENT /LOG="C:\deploy.log"'
end_background other_session
check_eq "setup of another session: exit code" 6 "$(seen_exit)"
check_eq "setup of another session: nothing shown" "" "$(seen_windows)"

forget_installation "Velmora Deploy"
rm -rf "$all_users_group" "$(c_drive setup)"
rm -f "$log_file"
finish
