# Sourced by desktop_program_test.sh once its display is up: the program driven as a
# person would. Uses bin, work, fail and the INI there.

bin=$(cd "$bin" && pwd)
# The driven program under gdb: a crash prints every thread's stack into out.txt. Not
# under the sanitizers, which print their own stacks and whose leak check fails under
# ptrace.
# (The libraries read whole first: grep -q would close the pipe on ldd, which pipefail
# would count as a failure.)
libraries=$(ldd "$bin/omrix-print")
if [[ $libraries == *libasan* ]]; then
  driven() { "$@"; }
else
  driven() { gdb -q -batch -return-child-result -ex run -ex 'thread apply all bt' --args "$@"; }
fi
sql() { "$bin/omrix-db" exec --ini "${2:-$OMRIX_INI}" <<<"$1"; }

# A visible window whose whole name is $1, other than window $2 when given; two
# minutes at most, for a print run on a loaded machine.
wait_window() {
  local name=$1 except=${2:-none} id
  for _ in $(seq 1200); do
    id=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | grep -vx "$except" | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.1
  done
  fail "no window $name"
}
# Waits until fewer than $2 (default 1) windows are named $1.
wait_gone() {
  local name=$1 count=${2:-1}
  for _ in $(seq 1200); do
    [ "$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | grep -c .)" -lt "$count" ] &&
      return
    sleep 0.1
  done
  fail "window $name stayed"
}
press() {
  xdotool windowfocus --sync "$1"
  shift
  xdotool key --clearmodifiers "$@"
}

# The width of the page the viewer $1 shows: the widest run of pixels other than the
# viewer's grey (128,128,128) over rows round its middle, its scroll bar included.
page_width() {
  local WIDTH HEIGHT X Y SCREEN WINDOW best=0 w pct
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$work/view.png"
  for pct in 35 45 50 55 65; do
    w=$(convert "$work/view.png" -crop "${WIDTH}x1+0+$((HEIGHT * pct / 100))" +repage txt:- |
      grep -v '^#' | grep -vc '#808080' || true)
    [ "$w" -gt "$best" ] && best=$w
  done
  echo "$best"
}
# The page width once two looks in a row agree.
settled_width() {
  local last=-1 now
  for _ in $(seq 50); do
    now=$(page_width "$1")
    [ "$now" = "$last" ] && { echo "$now"; return; }
    last=$now
    sleep 0.2
  done
  fail "the viewer kept repainting"
}

# Tree rows are 18 px apart from y 59 of the main window (its menu bar above them).
row_y() { echo $((59 + 18 * ($1 - 1))); }

# Settings of the test's own; the viewer's outline panel closed, as a user may leave
# it, so that the page is measured alone.
mkdir -p "$work/config/omrix"
printf '[viewer]\noutlineShown=false\n' >"$work/config/omrix/omrix-print.conf"
export XDG_CONFIG_HOME=$work/config
cd "$work"
driven "$bin/omrix-print" -B:00000001 -H:01 -Q:デモ物件 -T:1 -W:0 >"$work/out.txt" 2>&1 &
app=$!
main=$(wait_window 内訳書出力)

# Click Ⅳ 外構工事 (row 18), then right-click Ⅱ 電気設備工事 (row 12): 以下全て選択 ticks 12's
# branch. The arrow keys move to Ⅲ 機械設備工事 (row 14) and the Menu key's 以下１階層全て選択
# ticks it and its 科目 only.
xdotool windowfocus --sync "$main"
xdotool mousemove --window "$main" 150 "$(row_y 18)" click 1
xdotool mousemove --window "$main" 150 "$(row_y 12)" click 3
wait_window 印刷 >/dev/null
press "$main" Down Down Return
wait_gone 印刷
press "$main" Down Down Menu
wait_window 印刷 >/dev/null
press "$main" Down Return
wait_gone 印刷
press "$main" alt+p
viewer=$(wait_window 内訳書)
printed=$(sql "Select Distinct RTrim(名称2) From 内訳出力;")
for name in 電気設備工事 受変電設備 機械設備工事 給排水衛生設備; do
  grep -qx "$name" <<<"$printed" || fail "$name not printed: $printed"
done
for name in 建築工事 外構工事 舗装工事 共通費; do
  grep -qx "$name" <<<"$printed" && fail "$name printed though not ticked"
done

# Zoom by keys: from 100 % down to 50 % and 25 %, each drawn at once. B5 is 182 mm wide:
# 182 × (0.50 − 0.25) × 96 / 25.4 = 172 px between the two.
press "$viewer" ctrl+0 ctrl+minus ctrl+minus ctrl+minus
half=$(settled_width "$viewer")
press "$viewer" ctrl+minus ctrl+minus
quarter=$(settled_width "$viewer")
difference=$((half - quarter))
[ "$difference" -ge 170 ] && [ "$difference" -le 174 ] ||
  fail "page widths $half at 50 % and $quarter at 25 %"
import -window root "$work/zoomed.png"
press "$viewer" ctrl+w
wait_gone 内訳書

# 工事概要編集: 200 ㎡ typed into 敷地面積 and saved with Alt+T before leaving the box:
# 200 × 0.303 = 60.6 坪 stored. Message 4003 comes up under the program's caption.
press "$main" alt+k
form=$(wait_window 工事概要)
xdotool windowfocus --sync "$form"
xdotool mousemove --window "$form" 152 336 click 1
xdotool key ctrl+a
xdotool type 200
xdotool key --clearmodifiers alt+t
press "$(wait_window 内訳書出力 "$main")" Return
wait_gone 内訳書出力 2
stored=$(sql "Select 敷地面積坪 From 物件概要;" | tail -1)
[ "$stored" = 60.6 ] || fail "Alt+T stored 坪 $stored"

# An edit, Escape, then Enter on question 2003: No is the default, the form stays open.
xdotool windowfocus --sync "$form"
xdotool mousemove --window "$form" 400 60 click 1
xdotool type x
xdotool key Escape
press "$(wait_window 内訳書出力 "$main")" Return
wait_gone 内訳書出力 2
xdotool search --onlyvisible --name '^工事概要$' >/dev/null || fail "Enter on 2003 closed the form"
press "$form" Escape
press "$(wait_window 内訳書出力 "$main")" y
wait_gone 工事概要
press "$main" alt+e
wait "$app" || fail "the driven program ended with status $?"

# A statement of some thousands of pages saved as PDF over a file that stands there,
# stopped with 中止 (Escape): the file stays as it was and nothing is left beside it.
mkdir "$work/big"
sed 's/^DB_NAME=.*/DB_NAME=big.sqlite/' "$OMRIX_INI" >"$work/big/OMRIX.INI"
"$bin/omrix-db" init --ini "$work/big/OMRIX.INI" >/dev/null
"$bin/omrix-db" demo --ini "$work/big/OMRIX.INI" --lines 40000 >/dev/null
echo old >"$work/big/saved.pdf"
cd "$work/big"
OMRIX_INI=$work/big/OMRIX.INI driven "$bin/omrix-print" -B:00000001 -H:01 -Q:デモ物件 -T:1 -W:0 \
  >"$work/out.txt" 2>&1 &
app=$!
main=$(wait_window 内訳書出力)
press "$main" space alt+p
viewer=$(wait_window 内訳書)
press "$viewer" ctrl+s
dialog=$(wait_window 'PDF として保存')
press "$dialog" ctrl+a
xdotool type saved.pdf
xdotool key Return
press "$(wait_window 'PDF として保存' "$dialog")" y
press "$(wait_window 'PDF として保存中…')" Escape
wait_gone 'PDF として保存中…'
[ "$(cat "$work/big/saved.pdf")" = old ] || fail "a stopped save changed the file there"
leftover=$(ls "$work/big" | grep '\.part$' || true)
[ -z "$leftover" ] || fail "a stopped save left $leftover"
press "$main" alt+e
wait "$app" || fail "the saving program ended with status $?"
echo "tree menu, zoom, a stopped save, Alt+T and the question's default hold as driven"
