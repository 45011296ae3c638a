#!/bin/bash
# Stand-in for dosbox.exe in the end-to-end rig. Installed as
# <app folder>/dosbox.exe; Wine starts a non-PE file as a Unix program,
# with the launcher's arguments, working folder and environment.
#
# It records how it was started, then runs the real (Linux) DOSBox headless
# on the launcher's dosbox.conf, unchanged. DOSBox on Linux takes the
# Windows paths of the MOUNT lines as relative Unix names ("C:\Games\Zolvan"
# plus '/'), so we run it in a scratch folder holding symlinks with exactly
# those names, pointing where Wine maps the Windows paths. DOSBox's own
# parsing of the start-up script thus decides whether the mounts work.
#
# Environment:
#   ZZ_RIG_LOG      (required) Unix folder for the records below
#   ZZ_RIG_TIMEOUT  seconds before DOSBox is killed (default 60)
#   ZZ_RIG_DOSBOX   the real emulator (default: dosbox)
#   ZZ_RIG_VIDEO    SDL's video driver (default: dummy, nothing shown; the
#                   demo sets x11 to show the emulator on its display)
#   WINEPREFIX      passed on by Wine; winepath needs it
#
# $ZZ_RIG_LOG after a run:
#   start, end      date +%s.%N at start and after DOSBox ended; end is
#                   written last, so wait for it: Wine gives the launcher no
#                   handle to a Unix process, so its wait cannot tell
#   runs            one line per start: "<start> <pid>"
#   argv            our arguments, one per line
#   cwd             our working folder (pwd)
#   staged          "<md5>  <path>" of each file below the working folder
#                   before DOSBox ran, our own dosbox.exe left out
#   modes           "<octal mode> <path>" of the same files
#   dosbox.conf     byte-exact copy of ./dosbox.conf (missing if there was none)
#   links           "<link name> -> <Unix target>" for each MOUNT path
#   mounts/         the scratch folder DOSBox ran in
#   dosbox.out      DOSBox's stdout and stderr
#   exit            DOSBox's exit code (124 or 137 if killed on timeout, and
#                   then the file timed-out exists too; 3: no dosbox.conf)
# The process exits with DOSBox's code.

log=${ZZ_RIG_LOG:?ZZ_RIG_LOG must name the log folder}
mkdir -p "$log" || exit 2
rm -f "$log/end" "$log/exit" "$log/timed-out" "$log/links" "$log/dosbox.conf"
date +%s.%N > "$log/start"
echo "$(cat "$log/start") $$" >> "$log/runs"
if (($#)); then printf '%s\n' "$@"; fi > "$log/argv"
pwd > "$log/cwd"

finish() {
    echo "$1" > "$log/exit"
    date +%s.%N > "$log/end"
    exit "$1"
}

# Real DOSBox reads dosbox.conf from its working folder when no -conf is given.
conf=$PWD/dosbox.conf
if [[ ! -f $conf ]]; then
    echo "no dosbox.conf in $PWD" > "$log/dosbox.out"
    finish 3
fi
cp "$conf" "$log/dosbox.conf"
# The app folder as the launcher left it, before the clean-up script runs.
find . -type f ! -path ./dosbox.exe -exec md5sum {} + | sort -k 2 > "$log/staged"
find . -type f ! -path ./dosbox.exe -printf '%m %p\n' | sort -k 2 > "$log/modes"

# Conf bytes are cp1252; keep bash and sed byte-oriented.
export LC_ALL=C
scratch=$log/mounts
rm -rf "$scratch"
mkdir -p "$scratch/home"

# Link one Windows path, spelled as DOSBox will look it up.
link() {
    local name=$1 unix
    [[ -e $scratch/$name || -L $scratch/$name ]] && return
    # winepath takes UTF-8; the conf holds cp1252 bytes.
    unix=$(printf '%s' "$name" | iconv -f CP1252 -t UTF-8 2>/dev/null) || return
    unix=$(winepath -u "$unix" 2>/dev/null)
    [[ -n $unix ]] || return
    # Forward slashes make folders here, as they would for DOSBox.
    mkdir -p "$(dirname "$scratch/$name")"
    ln -s "$unix" "$scratch/$name" && echo "$name -> $unix" >> "$log/links"
}

# MOUNT lines: the path is the first word after the drive letter, quoted or
# not. The batch runner turns %% into %, so link that spelling too; any other
# rewrite it makes leaves a name with no link, and the mount fails visibly.
shopt -s nocasematch
while IFS= read -r line; do
    line=${line%$'\r'}
    [[ $line =~ ^[[:space:]@]*mount[[:space:]]+[a-z]:?[[:space:]]+(\"([^\"]*)\"|([^[:space:]]+)) ]] || continue
    path=${BASH_REMATCH[2]}${BASH_REMATCH[3]}
    [[ $path == -* ]] && continue
    link "$path"
    [[ $path == *%%* ]] && link "${path//%%/%}"
done < "$conf"
shopt -u nocasematch

cd "$scratch" || finish 2
HOME=$scratch/home SDL_VIDEODRIVER=${ZZ_RIG_VIDEO:-dummy} SDL_AUDIODRIVER=dummy \
    timeout -k 5 "${ZZ_RIG_TIMEOUT:-60}" "${ZZ_RIG_DOSBOX:-dosbox}" -conf "$conf" \
    > "$log/dosbox.out" 2>&1
rc=$?
# timeout says 124, or 137 when DOSBox ignored TERM and needed KILL
((rc == 124 || rc == 137)) && : > "$log/timed-out"
finish "$rc"
