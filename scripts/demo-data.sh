#!/usr/bin/env bash
# Fills a run tree's fresh database with demo data: tasks of every cycle (one completed, one falling
# due DUE_SECONDS after this script ran), birthdays in both calendars (one two days ahead), two workday
# exceptions, a few vault accounts (plain columns only; the vault stays unregistered) and library icons.
# Texts are in the given language. Dates are relative to today, so the data looks current whenever it
# is made.
#   scripts/demo-data.sh RUN_TREE [zh_CN|en|zh_TW] [DUE_SECONDS]
# RUN_TREE is a copy of build/run whose src/database/main.db was just made by upgrade_database --create.
# Needs sqlite3 and ImageMagick's convert.
set -euo pipefail

run=${1:?usage: demo-data.sh RUN_TREE [zh_CN|en|zh_TW] [DUE_SECONDS]}
lang=${2:-zh_CN}
due_seconds=${3:-20}
db="$run/src/database/main.db"
[ -f "$db" ] || { echo "demo-data.sh: no database at $db" >&2; exit 1; }

case "$lang" in
zh_CN)
    task_move="起来活动一下，让眼睛休息" task_water="喝一杯水" task_standup="部门站会" task_report="提交周报"
    task_plants="给绿植浇水" task_bill="缴纳电费"
    icon_water="喝水" icon_meeting="会议" icon_report="报告"
    people=("林晓雨|小雨" "王建国|爸爸" "李秀英|奶奶" "陈子轩|" "周雅婷|")
    holiday="调休放假" makeup="调休上班"
    accounts=("个人邮箱|小雨" "代码托管|晓雨" "网上银行|" "视频会员|雨天")
    ;;
zh_TW)
    task_move="起來活動一下，讓眼睛休息" task_water="喝一杯水" task_standup="部門晨會" task_report="繳交週報"
    task_plants="幫植物澆水" task_bill="繳電費"
    icon_water="喝水" icon_meeting="會議" icon_report="報告"
    people=("林曉雨|小雨" "王建國|爸爸" "李秀英|奶奶" "陳子軒|" "周雅婷|")
    holiday="補假" makeup="補班"
    accounts=("個人信箱|小雨" "程式碼託管|曉雨" "網路銀行|" "影音會員|雨天")
    ;;
en)
    task_move="Stand up and rest your eyes" task_water="Drink a glass of water" task_standup="Team stand-up"
    task_report="Send the weekly report" task_plants="Water the plants" task_bill="Pay the electricity bill"
    icon_water="water" icon_meeting="meeting" icon_report="report"
    people=("Lily Lin|Lily" "Wang Jianguo|Dad" "Li Xiuying|Grandma" "Ethan Chen|" "Grace Zhou|")
    holiday="Public holiday" makeup="Make-up workday"
    accounts=("Personal mail|Lily" "Code hosting|lilylin" "Online banking|" "Video streaming|rainyday")
    ;;
*)
    echo "demo-data.sh: unknown language '$lang' (zh_CN, en or zh_TW)" >&2
    exit 1
    ;;
esac

# --- pictures: flat circles in the program's colours, 144 px like imported library icons -----------------
icon() { # path colour draw-arguments...
    local path=$1 colour=$2
    shift 2
    convert -size 144x144 xc:none -fill "$colour" -draw 'circle 72,72 72,6' -fill white "$@" "PNG32:$path"
}
task_dir="$run/src/icon/task" birthday_dir="$run/src/icon/birthday"
mkdir -p "$task_dir" "$birthday_dir"
water_icon="src/icon/task/1_$icon_water.png"
meeting_icon="src/icon/task/2_$icon_meeting.png"
report_icon="src/icon/task/3_$icon_report.png"
icon "$run/$water_icon" '#1f91f2' -draw "path 'M 72,28 C 60,48 44,66 44,86 A 28,28 0 0 0 100,86 C 100,66 84,48 72,28 Z'"
icon "$run/$meeting_icon" '#1fa831' -draw 'circle 42,62 42,49' -draw 'circle 102,62 102,49' \
    -draw 'ellipse 42,100 20,22 180,360' -draw 'ellipse 102,100 20,22 180,360' \
    -stroke '#1fa831' -strokewidth 5 -draw 'circle 72,54 72,37' -draw 'ellipse 72,102 26,28 180,360'
icon "$run/$report_icon" '#fc7265' -draw 'roundrectangle 46,34 98,110 6,6' -fill '#fc7265' \
    -draw 'rectangle 56,52 88,57' -draw 'rectangle 56,66 88,71' -draw 'rectangle 56,80 78,85'

birthday_icons=()
for i in "${!people[@]}"; do
    name=${people[$i]%%|*}
    # Women pink, men blue; the picture shows the name's first letter.
    case $i in 0 | 2 | 4) colour='#fc7265' ;; *) colour='#1f91f2' ;; esac
    path="src/icon/birthday/$((i + 4))_${name%% *}.png"
    icon "$run/$path" "$colour" -font WenQuanYi-Micro-Hei -pointsize 64 -gravity center -annotate +0+2 "${name:0:1}"
    birthday_icons+=("$path")
done

# --- rows ----------------------------------------------------------------------------------------------
q() { # quotes a text for SQL
    printf "'%s'" "${1//\'/\'\'}"
}
person() { # index field(1 name, 2 call name)
    local entry=${people[$1]}
    if [ "$2" = 1 ]; then q "${entry%%|*}"; else q "${entry#*|}"; fi
}
account() { # index field(1 title, 2 nickname)
    local entry=${accounts[$1]}
    if [ "$2" = 1 ]; then q "${entry%%|*}"; else q "${entry#*|}"; fi
}
# Qt stores dates as Julian Day numbers counted from noon, SQLite's julianday() from midnight.
jd() {
    echo "CAST(julianday($1) + 0.5 AS INTEGER)"
}
now="'now', 'localtime'"
at() { # SQLite date-time modifiers -> stored due time
    echo "strftime('%Y-%m-%d %H:%M:%S', $now, $1)"
}
default_task="'src/icon/task/default.png'"

sqlite3 "$db" <<SQL
BEGIN;
INSERT INTO TASK_LIST (id, TaskName, TaskTimeSee, IconPath, NoticeCycle, Noticed, Deleted, NormalNoticeKeepDisplay) VALUES
    (1, $(q "$task_move"), $(at "'+$due_seconds seconds'"), $default_task, 0, 0, 0, 0),
    (2, $(q "$task_water"), strftime('%Y-%m-%d %H:00:00', $now, '+90 minutes'),
        '$water_icon', 1, 0, 0, 0),
    (3, $(q "$task_standup"), date($now, CASE strftime('%w', $now) WHEN '5' THEN '+3 days' WHEN '6' THEN '+2 days'
        ELSE '+1 day' END) || ' 09:30:00', '$meeting_icon', 2, 0, 0, 1),
    (4, $(q "$task_report"), date($now, '+1 day', 'weekday 5') || ' 17:00:00', '$report_icon', 3, 0, 0, 0),
    (5, $(q "$task_plants"), date($now, '+3 days') || ' 19:00:00', $default_task, 0, 0, 0, 0),
    (6, $(q "$task_bill"), date($now, '-1 day') || ' 20:00:00', $default_task, 0, 1, 0, 0);

INSERT INTO ICON_LIST (id, What, Path, Notice) VALUES
    (1, 0, '$water_icon', $(q "$icon_water")),
    (2, 0, '$meeting_icon', $(q "$icon_meeting")),
    (3, 0, '$report_icon', $(q "$icon_report")),
    (4, 1, $(q "${birthday_icons[0]}"), $(person 0 1)),
    (5, 1, $(q "${birthday_icons[1]}"), $(person 1 1)),
    (6, 1, $(q "${birthday_icons[2]}"), $(person 2 1)),
    (7, 1, $(q "${birthday_icons[3]}"), $(person 3 1)),
    (8, 1, $(q "${birthday_icons[4]}"), $(person 4 1));

-- Lunar birthdays get a date more than a week past: the program finds their next occurrence at start
-- without announcing the old one. The solar one two days ahead raises its three-day reminder.
INSERT INTO BIRTHDAY_INFO (id, Name, CallName, SolarDate, RecentDate, IconPath, Gender, IsLunar, IgnoreSolarYear,
                           IgnoreLunarYear, LunarYear, LunarMonth, LunarDay, IsLeapMonth, Notice1, Notice3, Notice7)
VALUES
    (1, $(person 0 1), $(person 0 2), date($now, '+2 days', '-28 years'), date($now, '+2 days'),
        $(q "${birthday_icons[0]}"), 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0),
    (2, $(person 1 1), $(person 1 2), date($now), date($now, '-30 days'),
        $(q "${birthday_icons[1]}"), 1, 1, 0, 0, 1962, 3, 12, 0, 1, 0, 1),
    (3, $(person 2 1), $(person 2 2), date($now), date($now, '-30 days'),
        $(q "${birthday_icons[2]}"), 0, 1, 0, 0, 1940, 8, 15, 0, 1, 1, 1),
    (4, $(person 3 1), $(person 3 2), date($now, '+40 days', '-9 years'), date($now, '+40 days'),
        $(q "${birthday_icons[3]}"), 1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0),
    (5, $(person 4 1), $(person 4 2), date($now, '+120 days', '-30 years'), date($now, '+120 days'),
        $(q "${birthday_icons[4]}"), 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0);

-- A Monday off and the Saturday before it worked, two weeks ahead.
INSERT INTO TASK_WORKDAY (id, TaskDateStr, Notice, TaskDate, Workday) VALUES
    (1, date($now, 'weekday 1', '+7 days'), $(q "$holiday"), $(jd "date($now, 'weekday 1', '+7 days')"), 0),
    (2, date($now, 'weekday 1', '+5 days'), $(q "$makeup"), $(jd "date($now, 'weekday 1', '+5 days')"), 1);

INSERT INTO USERS_USER_INFO (ID, Title, Site, User, NickName, Email, Phone, NotePublic, UpdateDate, UpdateDateStr) VALUES
    (1, $(account 0 1), 'mail.example.com', 'lily.lin', $(account 0 2), 'lily.lin@example.com', '13800138000', '',
        $(jd "date($now, '-40 days')"), date($now, '-40 days')),
    (2, $(account 1 1), 'git.example.org', 'lilylin', $(account 1 2), 'lily.lin@example.com', '', '',
        $(jd "date($now, '-12 days')"), date($now, '-12 days')),
    (3, $(account 2 1), 'bank.example.com', 'lin_xiaoyu', $(account 2 2), '', '13800138000', '',
        $(jd "date($now, '-3 days')"), date($now, '-3 days')),
    (4, $(account 3 1), 'video.example.net', 'rainyday88', $(account 3 2), 'rainyday88@example.net', '', '',
        $(jd "date($now)"), date($now));
COMMIT;
SQL
