#!/usr/bin/env bash
# Starts the release editor once as a user would, on the offscreen platform
# under a German locale with a plan file, and checks that it stays up for a few
# seconds and, asked to end (SIGTERM), closes its window, writes its settings
# and exits with status 0.
set -euo pipefail
editor=$1
plan=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen LC_ALL=de_DE.UTF-8 ORBITUNE_METER=sim \
  "$editor" "$plan" >"$work/log" 2>&1 &
pid=$!
fail() {
  echo "release editor: $1"
  cat "$work/log"
  exit 1
}

sleep 3
if ! kill -0 "$pid" 2>/dev/null; then
  status=0
  wait "$pid" || status=$?
  fail "ended by itself at start (status $status)"
fi
kill -TERM "$pid"
for _ in $(seq 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  kill -KILL "$pid"
  fail "did not end within 10 s of SIGTERM"
fi
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || fail "ended with status $status"
settings=$(find "$work/config" -name 'Orbitune.conf' 2>/dev/null | head -n 1)
[ -n "$settings" ] || fail "wrote no settings when it closed"
echo "release editor: started with $(basename "$plan"), stayed up, closed cleanly when asked"
