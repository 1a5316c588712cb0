#!/usr/bin/env bash
# Screenshots of the main window, one per bundled book, under a virtual X
# server with a window manager (openbox), as on a teacher's desktop. For
# each book a fresh user database (in a temporary XDG data home) holds a
# selection of that book: its first index entries as the range, its first
# question formats and two prints with sentences of the range. The program
# restores it at start; the window is then captured with ImageMagick's
# import into build/screenshots/<book>.png. Then every message box of the
# program, at the longest text the program makes for it, with the window
# manager's frame: build/screenshots/message-<id>.png.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
OUT_DIR=${OUT_DIR:-build/screenshots}
case "$BUILD_DIR" in
  /*) program="$BUILD_DIR/bin/tavisko" ;;
  *) program="$PWD/$BUILD_DIR/bin/tavisko" ;;
esac

if [ -z "${TV_SCREENSHOTS_IN_XVFB:-}" ]; then
  ./scripts/install-deps.sh
  [ -x "$program" ] || ./scripts/build.sh
  export TV_SCREENSHOTS_IN_XVFB=1
  exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi

mkdir -p "$OUT_DIR"
work=$(mktemp -d)
pid=""
wm=""
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$wm" ]; then kill "$wm" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 1 50); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

# The selection texts of the first book in book database $1, as SQL
# statements for the user database.
selection_sql() {
  local book=$1
  sqlite3 "$book" <<'SQL'
.mode list
WITH
  book AS (SELECT min(bid) AS bid FROM BookInfo),
  range_ids AS (
    SELECT iid FROM Indices
    WHERE enable = 1 AND parent_iid <> 0 AND iid IN (SELECT iid FROM IKRelations)
    ORDER BY sort_key LIMIT 2),
  formats AS (SELECT qid, sort_key FROM Questions ORDER BY sort_key LIMIT 3),
  chosen AS (
    SELECT s.qid, s.sid, s.sort_key,
           row_number() OVER (PARTITION BY s.qid ORDER BY s.sort_key) AS n
    FROM Sentences s
    WHERE s.qid IN (SELECT qid FROM formats)
      AND s.kid IN (SELECT kid FROM IKRelations WHERE iid IN (SELECT iid FROM range_ids))),
  unit AS (
    SELECT f.qid, f.sort_key, p.print,
           coalesce((SELECT group_concat(sid, ',') FROM
                       (SELECT sid FROM chosen c WHERE c.qid = f.qid
                          AND c.n > p.print * 4 AND c.n <= p.print * 4 + 4 ORDER BY c.sort_key)), '') AS sids
    FROM formats f, (SELECT 0 AS print UNION ALL SELECT 1) p),
  prints AS (
    SELECT print, group_concat(qid || ':' || sids, '|') AS text
    FROM (SELECT * FROM unit ORDER BY print, sort_key) GROUP BY print)
SELECT 'INSERT INTO Info(name, value) VALUES'
  || '(''dbid'', ' || quote((SELECT value FROM Info WHERE name = 'DBID')) || '),'
  || '(''bid'', ''' || (SELECT bid FROM book) || '''),'
  || '(''range'', ''1:' || (SELECT group_concat(iid, ',') FROM (SELECT iid FROM range_ids ORDER BY iid)) || '''),'
  || '(''qid'', ''' || (SELECT group_concat(qid, ',') FROM (SELECT qid FROM formats ORDER BY sort_key)) || '''),'
  || '(''quiz'', ''' || (SELECT group_concat(text, '/') FROM (SELECT text FROM prints ORDER BY print)) || ''');';
SQL
}

# The id of the window captioned "テスト作成システム", once it is mapped.
wait_for_window() {
  local id=""
  for _ in $(seq 1 300); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -F '"テスト作成システム"' | awk '{print $1}' | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    if ! kill -0 "$pid" 2>/dev/null; then return 1; fi
    sleep 0.2
  done
  return 1
}

status=0
for book in "$BUILD_DIR"/bin/data/*_main.db; do
  name=$(basename "$book" _main.db)
  home="$work/$name"
  mkdir -p "$home/data/morvane-k/userdata" "$home/runtime"
  chmod 700 "$home/runtime"
  userdb="$home/data/morvane-k/userdata/tv_user.db"
  sqlite3 "$userdb" "CREATE TABLE Info (iid INTEGER NOT NULL PRIMARY KEY,name TEXT NOT NULL DEFAULT '',value TEXT DEFAULT NULL);"
  sqlite3 "$userdb" "$(selection_sql "$book")"

  XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/runtime" "$program" >"$work/$name.log" 2>&1 &
  pid=$!
  if window=$(wait_for_window); then
    sleep 2 # let the window finish painting
    import -window "$window" "$OUT_DIR/$name.png"
    echo "$OUT_DIR/$name.png"
  else
    echo "$name: the main window did not appear; the program said:" >&2
    cat "$work/$name.log" >&2
    status=1
  fi
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
done
# Every message box, framed by the window manager.
tests="$BUILD_DIR/bin/tv_test_desktop"
if [ -x "$tests" ]; then
  TV_SCREENSHOT_DIR="$OUT_DIR" QT_QPA_PLATFORM=xcb "$tests" --gtest_filter='LongestMessageBoxes.Screenshots' \
    >"$work/messages.log" 2>&1 || { cat "$work/messages.log" >&2; status=1; }
  ls "$OUT_DIR"/message-*.png
else
  echo "$tests is not built: no pictures of the message boxes" >&2
  status=1
fi
exit $status
