#!/usr/bin/env bash
# An installation folder someone made before setup ran: a file there that is a hard link to a file
# elsewhere gets a file of its own (the other file keeps its bytes); a folder there that is a link
# to a folder elsewhere, a file that is a link, or an installation folder that is one, is not
# written through, and the error box names it.
source "$(dirname "$0")/lib.sh"

# Ends an installation stopped at a refusal, and removes what was planted.
end_refused_installation() {
    cancel_installation
    exit_code $RUN >/dev/null
    rm -rf "$target"
}

target=$(c_drive VelmoraPlanted)
rm -rf "$target"
mkdir -p "$target" "$WORK/elsewhere"
echo "someone else's file" >"$WORK/victim.txt"
ln "$WORK/victim.txt" "$target/History.txt"
start_installation 'C:\VelmoraPlanted\'
check "the installation finishes" driver wait-text TFormSchedule "完毕" 60000
check_eq "the hard-linked file elsewhere keeps its bytes" "someone else's file" "$(cat "$WORK/victim.txt")"
check "the installed file is the payload's" cmp -s "$target/History.txt" "$SAMPLE_PAYLOAD/History.txt"
driver alt-f4 TFormSchedule >/dev/null
exit_code $RUN >/dev/null
rm -rf "$target"

# A folder of the payload planted as a link to a folder elsewhere.
mkdir -p "$target"
ln -s "$WORK/elsewhere" "$target/SdbFile"
start_installation 'C:\VelmoraPlanted\'
driver msgbox 60000 >/dev/null
check "the linked folder is refused by name" \
    grep -qF 'Cannot create file "C:\VelmoraPlanted\SdbFile\' <<<"$(field text)"
check "the box names the link" grep -qF '"C:\VelmoraPlanted\SdbFile" is a junction or symbolic link' <<<"$(field text)"
driver press OK >/dev/null
check_eq "nothing written through the link" "" "$(ls "$WORK/elsewhere")"
answer_all_boxes >/dev/null
end_refused_installation

# A payload file planted as a link to a file elsewhere.
mkdir -p "$target"
ln -s "$WORK/victim.txt" "$target/History.txt"
start_installation 'C:\VelmoraPlanted\'
driver msgbox 60000 >/dev/null
check "the linked file is refused" grep -qF 'Cannot create file "C:\VelmoraPlanted\History.txt". It is a junction or symbolic link' <<<"$(field text)"
driver press OK >/dev/null
check_eq "the file it points to keeps its bytes" "someone else's file" "$(cat "$WORK/victim.txt")"
end_refused_installation

# The installation folder itself planted as a link to a folder elsewhere.
ln -s "$WORK/elsewhere" "$target"
start_installation 'C:\VelmoraPlanted\'
driver msgbox 60000 >/dev/null
check "the linked installation folder is refused" grep -qF '"C:\VelmoraPlanted" is a junction or symbolic link' <<<"$(field text)"
driver press OK >/dev/null
check_eq "nothing written into the folder it points to" "" "$(ls "$WORK/elsewhere")"
end_refused_installation
finish
