#!/usr/bin/env bash
# Takes the user guide's screenshots: runs the program on a demo database under Xvfb, goes through the
# tabs and the settings dialogs with xdotool, lets a task fall due for the notices, and writes PNGs to
# docs/ (docs/<language>/ for a language other than zh_CN).
#   scripts/screenshots.sh [zh_CN|en|zh_TW]
# Environment: PEMMORA_BUILD_DIR picks the build (default build/), PEMMORA_SKIP_BUILD=1 takes it as it
# is; PEMMORA_SCREENSHOT_DISPLAY fixes the X display number (default: the first free one).
# The program runs on a copy of the run tree in a temporary folder, with its own home folder: the data
# in build/run and the user's settings are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."

lang=${1:-zh_CN}
case "$lang" in
zh_CN) out=docs ;;
en | zh_TW) out=docs/$lang ;;
*)
    echo "usage: $0 [zh_CN|en|zh_TW]" >&2
    exit 2
    ;;
esac
build_dir=${PEMMORA_BUILD_DIR:-build}
# Typed into an account of the vault: a password note, a public and a private note.
case "$lang" in
zh_CN) typed=("第一只猫的名字" "常用邮箱，也用于找回其他账号" "安全问题：第一所学校") ;;
zh_TW) typed=("第一隻貓的名字" "常用信箱，也用來找回其他帳號" "安全問題：第一所學校") ;;
en) typed=("first cat's name" "Main mailbox, also for account recovery" "Security question: first school") ;;
esac

scripts/install-deps.sh xdotool imagemagick sqlite3 xcompmgr hsetroot
[ "${PEMMORA_SKIP_BUILD:-}" = 1 ] || scripts/build.sh
[ -x "$build_dir/run/pemmora" ] || {
    echo "screenshots.sh: no program in $build_dir/run" >&2
    exit 1
}

# Screen and window sizes: the notice popups stack at the bottom right, clear of the main window.
screen_width=1440 screen_height=900 window_width=900 window_height=640
# Seconds from the demo data to the task that falls due; enough for the start and the first screenshot.
due_seconds=20

work=$(mktemp -d "${TMPDIR:-/tmp}/pemmora-screenshots.XXXXXX")
pids=()
cleanup() {
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[$i]}" 2>/dev/null || true
        wait "${pids[$i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

fail() {
    echo "screenshots.sh: $*" >&2
    [ -s "$work/pemmora.log" ] && sed 's/^/  pemmora: /' "$work/pemmora.log" >&2
    exit 1
}

# --- a run tree of its own: the programs, their catalogs and the delivered files, a demo database ------
run="$work/run"
mkdir -p "$run/src/database" "$run/src/config" "$work/home"
cp "$build_dir/run/pemmora" "$build_dir/run/upgrade_database" "$run/"
cp -r "$build_dir/run/src/language" "$run/src/"
cp -r runtime/. "$run/"
"$run/upgrade_database" --create "$run/src/database/main.db"
printf '[Language]\nlang=%s\n' "$lang" >"$run/src/config/config.ini"
scripts/demo-data.sh "$run" "$lang" "$due_seconds"
# The due time as stored (local time), in seconds since the epoch.
due=$(sqlite3 "$run/src/database/main.db" "SELECT strftime('%s', TaskTimeSee, 'utc') FROM TASK_LIST WHERE id = 1")

# --- X server, desktop background, compositor (translucent notices are black without one) -------------
if [ -n "${PEMMORA_SCREENSHOT_DISPLAY:-}" ]; then
    display=$PEMMORA_SCREENSHOT_DISPLAY
    Xvfb ":$display" -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    pids+=($!)
else
    Xvfb -displayfd 3 -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp -noreset 3>"$work/display" \
        >"$work/xvfb.log" 2>&1 &
    pids+=($!)
fi
export DISPLAY
for _ in $(seq 100); do
    [ -z "${PEMMORA_SCREENSHOT_DISPLAY:-}" ] && display=$(tr -d '\n' <"$work/display")
    if [ -n "$display" ]; then
        DISPLAY=":$display"
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
    fi
    kill -0 "${pids[0]}" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
    sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not answer"
hsetroot -add '#16324f' -add '#2f6a9a' -gradient 0 >/dev/null
xcompmgr >/dev/null 2>&1 &
pids+=($!)

# --- the program ---------------------------------------------------------------------------------------
(cd "$run" && exec env -u QT_QPA_PLATFORM -u QT_SCALE_FACTOR HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
    XDG_DATA_HOME="$work/home/.local/share" LC_ALL=C.UTF-8 ./pemmora) >"$work/pemmora.log" 2>&1 &
app=$!
pids+=("$app")

# Runs the command until it prints something, which it then prints; fails after the timeout (seconds).
poll() {
    local timeout=$1 result deadline
    shift
    deadline=$((SECONDS + timeout))
    while :; do
        result=$("$@" 2>/dev/null || true)
        if [ -n "$result" ]; then
            echo "$result"
            return 0
        fi
        kill -0 "$app" 2>/dev/null || fail "the program ended"
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
}
windows() { # the program's visible windows
    xdotool search --onlyvisible --pid "$app" 2>/dev/null | sort
}
new_window() { # a visible window that is not in the list given
    comm -13 <(echo "$1") <(windows) | head -n 1
}
closed() { # says so once the window is no longer visible
    windows | grep -qx "$1" || echo closed
}
save() { # name convert-options...: the last capture as a small PNG (a palette serves screenshots well)
    local name=$1
    shift
    convert "$work/shot.png" "$@" +dither -colors 256 -strip "$out/$name.png"
    echo "$out/$name.png"
}
shoot() { # window name: the window alone, framed by a grey line
    [ -n "$1" ] || fail "no window for $2"
    import -window "$1" "$work/shot.png"
    save "$2" -bordercolor '#adadad' -border 1
}
settle() { # time for lists to fill and widgets to paint; nothing to poll for
    sleep "${1:-0.8}"
}
focus_main() {
    xdotool windowfocus --sync "$main"
    xdotool mousemove "$((screen_width - 1))" 0
}
key() { # keys to the main window, which X may have lost the focus of when a dialog closed
    focus_main
    xdotool key --delay 60 "$@"
}
show_tab() { # index: a click on the first tab, then on to the next one with Ctrl+Tab (which a table with the
    # focus would take for itself; the click moves the focus to the first tab's page)
    local i
    xdotool mousemove --window "$main" 30 22 click 1
    for ((i = 0; i < $1; i++)); do key ctrl+Tab; done
    settle
}
open_window() { # command...: runs the command, which opens a window, and prints that window
    local before
    before=$(windows)
    "$@"
    poll 10 new_window "$before" || fail "nothing opened with $*"
    settle
}
close_window() { # window: closes a dialog with Escape
    xdotool key Escape
    poll 10 closed "$1" >/dev/null || fail "a dialog did not close"
}
dialog() { # name keys...: opens a dialog with the keys, shoots it and closes it
    local name=$1 window
    shift
    window=$(open_window key "$@")
    shoot "$window" "$name"
    close_window "$window"
}
click_at() { # window x% y%: a click at a place given in percent of the window's size
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
    xdotool mousemove --window "$1" $((WIDTH * $2 / 100)) $((HEIGHT * $3 / 100)) click 1
}
type_text() { # xdotool drops characters of other scripts when they come fast
    if LC_ALL=C grep -q '^[ -~]*$' <<<"$1"; then
        xdotool type --delay 20 "$1"
    else
        xdotool type --delay 120 "$1"
    fi
}

main_window() { # search is blind to case, and the popups are called after the program file
    local window
    for window in $(windows); do
        [ "$(xdotool getwindowname "$window")" = Pemmora ] && echo "$window"
    done
}
main=$(poll 60 main_window) || fail "the main window did not appear"
xdotool windowmove --sync "$main" 0 0 windowsize --sync "$main" "$window_width" "$window_height"
focus_main
mkdir -p "$out"
settle 1.5

# Task tab, with the first task counting down; then its notices: the popup at the bottom right (above
# the birthday reminder raised at start) and the centre notice, which is fully shown 2 to 7 seconds after
# the due time with the delivered settings.
shoot "$main" task-tab
now=$(date +%s)
((now < due + 3)) || fail "the task fell due before its screenshot; raise due_seconds"
sleep $((due + 4 - now))
import -window root "$work/shot.png"
save notice
sleep 5 # the centre notice fades out

show_tab 1
shoot "$main" birthday-tab
show_tab 2
shoot "$main" users-tab

# Settings tab and its dialogs. A click puts the focus into the first vault setting, whose field starts
# its line; from there the focus goes back through the four configuration buttons.
show_tab 3
shoot "$main" settings-tab
xdotool mousemove --window "$main" 70 360 click 1
dialog notice-config shift+Tab space
dialog icon-manage shift+Tab space
dialog workday-config shift+Tab space
# The review of a holiday calendar, with dates around the demo's listed Monday off and Saturday worked:
# days off after that Monday, a timed make-up Sunday, the Saturday the file calls a day off (a conflict),
# an observance, a past day and a cancelled event.
ics_day() { date -d "$1" +%Y%m%d; }
monday=$(sqlite3 "$run/src/database/main.db" "SELECT TaskDateStr FROM TASK_WORKDAY WHERE Workday = 0")
{
    printf 'BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Pemmora//screenshots//ZH\r\n'
    event() { printf 'BEGIN:VEVENT\r\nUID:%s@screenshots\r\n%b\r\nEND:VEVENT\r\n' "$1" "$2"; }
    event 1 "DTSTART;VALUE=DATE:$(ics_day "$monday")\r\nDURATION:P3D\r\nSUMMARY:节日 放假"
    event 2 "DTSTART:$(ics_day "$monday + 13 days")T090000\r\nDTEND:$(ics_day "$monday + 13 days")T180000\r\nSUMMARY:节日 补班"
    event 3 "DTSTART;VALUE=DATE:$(ics_day "$monday - 2 days")\r\nSUMMARY:节日 放假"
    event 4 "DTSTART;VALUE=DATE:$(ics_day "$monday + 3 days")\r\nSUMMARY:纪念日"
    event 5 "DTSTART;VALUE=DATE:$(ics_day "$monday - 28 days")\r\nSUMMARY:假期"
    event 6 "DTSTART;VALUE=DATE:$(ics_day "$monday + 4 days")\r\nSTATUS:CANCELLED\r\nSUMMARY:临时放假"
    printf 'END:VCALENDAR\r\n'
} >"$work/holidays.ics"
workday=$(open_window key space)
open_window xdotool key alt+i >/dev/null
type_text "$work/holidays.ics"
window=$(open_window xdotool key Return)
shoot "$window" holiday-review
close_window "$window"
xdotool windowfocus --sync "$workday"
close_window "$workday"
# The birthday editor with a lunar birthday chosen (the fifth row).
window=$(open_window key shift+Tab space)
click_at "$window" 12 33
settle
shoot "$window" birthday-config
close_window "$window"
# The backups, of which the start wrote today's; 从备份恢复 by its mnemonic.
dialog backup-restore alt+r

# About tab and the help window, opened by the last button at the bottom right.
show_tab 4
shoot "$main" about-tab
window=$(open_window xdotool mousemove --window "$main" $((window_width - 50)) $((window_height - 55)) click 1)
shoot "$window" help
xdotool windowunmap --sync "$window"

# The vault: register a master account, verify it, open an account. The login row's user field lies in
# the first third of the window on its first line; the account rows start under the table header.
show_tab 2
user=demo2024 secret=Pemmora.demo8
xdotool mousemove --window "$main" 160 59 click 1
type_text "$user"
xdotool key Tab
type_text "$secret"
# The key is asked for once more, then the registration question comes, where OK is the default.
window=$(open_window xdotool key Return)
before=$(windows)
type_text "$secret"
xdotool key Return
poll 10 closed "$window" >/dev/null || fail "the repeated key was not taken"
window=$(poll 10 new_window "$before") || fail "the registration question did not come"
settle
xdotool key Return
poll 10 closed "$window" >/dev/null || fail "the registration question stayed"
xdotool mousemove --window "$main" 160 59 click 1 key Tab
type_text "$secret"
xdotool key Return
focus_main
settle 2
shoot "$main" users-verified

# The first account, its encrypted fields being filled in; fields by their place in the dialog. The
# password shows dots once it loses the focus.
window=$(open_window xdotool mousemove --window "$main" 120 146 click --repeat 2 --delay 80 1)
click_at "$window" 28 28
type_text 'Tr0ub4dor&3'
click_at "$window" 40 40
type_text "${typed[0]}"
click_at "$window" 60 55
type_text "${typed[1]}"
click_at "$window" 60 77
type_text "${typed[2]}"
xdotool mousemove "$((screen_width - 1))" 0
settle 0.3
shoot "$window" account-detail
close_window "$window"
