#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program on the X display of xvfb-run with Qt's -style option and a
# path that does not exist, and checks, as a desktop would see them: the main
# window and the box naming the missing path carry the window class of the
# desktop entry; the program loaded the Qt translations of its installation.
# Arguments: PROGRAM WINDOW_CLASS TRANSLATIONS_FILE
set -euo pipefail
program=$1 class=$2 translations=$3
scratch=$(mktemp -d)
pid=
finish() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap finish EXIT

mkdir -p "$scratch/home" "$scratch/runtime"
chmod 700 "$scratch/runtime"
env QT_QPA_PLATFORM=xcb HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_STATE_HOME="$scratch/state" \
    XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" VANTOR_RELEASE_URL=http://127.0.0.1:1/ ASAN_OPTIONS=detect_leaks=0 \
    QT_LOGGING_RULES="vantor.startup.info=true" LC_ALL=C.UTF-8 \
    "$program" -style Fusion "$scratch/没有这个文件" 2>"$scratch/stderr" &
pid=$!

# Titles of the top-level windows whose WM_CLASS is ("vantor-rename", class).
titles() {
  local id
  for id in $(xwininfo -root -children 2>/dev/null | awk '/^ +0x/ {print $1}'); do
    if xprop -id "$id" WM_CLASS 2>/dev/null | grep -qF "= \"vantor-rename\", \"$class\""; then
      xprop -id "$id" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'
    fi
  done
}

for _ in $(seq 150); do
  seen=$(LC_ALL=C.UTF-8 titles)
  if grep -q '^Vantor重命名' <<<"$seen" && grep -qx '提醒：' <<<"$seen"; then
    if ! grep -qF "Qt translations: $translations" "$scratch/stderr"; then
      echo "the program did not load $translations:" >&2
      cat "$scratch/stderr" >&2
      exit 1
    fi
    exit 0
  fi
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program ended early:" >&2
    cat "$scratch/stderr" >&2
    exit 1
  fi
  sleep 0.2
done
echo "no main window and 提醒： box with class $class; windows seen with that class:" >&2
echo "$seen" >&2
xwininfo -root -tree >&2 || true
cat "$scratch/stderr" >&2
exit 1
