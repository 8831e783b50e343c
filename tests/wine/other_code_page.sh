#!/usr/bin/env bash
# On a system whose ANSI code page is not 936 the texts still read right: GBK is converted
# explicitly and shown through the wide API. The temporary files keep their GBK bytes.
source "$(dirname "$0")/lib.sh"
export LANG=C.UTF-8 LC_ALL=C.UTF-8

check_eq "code page of this run" 1 "$(driver acp >/dev/null; [ "$(cat "$WORK/driver.out" | tr -d '\r')" != 936 ] && echo 1)"
start_setup
driver wait-window TFormSchedule 20000 >/dev/null
check_eq "wizard caption" "Velmorav2.8.3.5（标准版-m）" "$(field title)"
texts=$(driver texts TFormain)
check "banner text" grep -qF "|  Velmorav2.8.3.5安装程序 " <<<"$texts"
check "footer text" grep -qF "|Velmora官方网站 https://www.velmora.example" <<<"$texts"
check "configuration bytes unchanged" cmp -s "$(temp_dir)/lmraSetup.ini" "$(payload_file Setup.ini)"
quit_wizard
check_eq "exit code" 0 "$(exit_code $RUN)"
finish
