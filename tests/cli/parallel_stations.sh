#!/bin/bash
# Eight stations work on one installation at the same time: each sets up a configuration in the
# shared registry store, runs the program's start-up and shut-down on the shared configuration
# and adds a position to the same order file. Every run must succeed and no position be lost.
set -u
cli="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export KORVENT_REGISTRY="$work/registry.sqlite"
stations=8
failures=0

# Runs the command on every station at once; each failure is printed with its station's output.
on_every_station() {
  local pids=()
  for i in $(seq 1 $stations); do
    "$@" "$i" >"$work/out.$i" 2>&1 &
    pids+=($!)
  done
  for i in $(seq 1 $stations); do
    if ! wait "${pids[$((i - 1))]}"; then
      echo "station $i failed: $*"
      cat "$work/out.$i"
      failures=$((failures + 1))
    fi
  done
}

setup() { "$cli" setup --root "$work/inst$1" --config "Station$1" --default-admin-password; }
check() { "$cli" config check --config Station1; }
add() { "$cli" order add "$work/shared.gxo" --catalogue "$work/inst1/Data" --width $((1000 + $1)); }

on_every_station setup
on_every_station check
"$cli" order new "$work/shared.gxo" --no P-1 >/dev/null || failures=$((failures + 1))
on_every_station add
shown=$("$cli" order show "$work/shared.gxo" --catalogue "$work/inst1/Data")
if ! grep -q "позиций $stations," <<<"$shown"; then
  echo "the order lost positions:"
  echo "$shown" | head -5
  failures=$((failures + 1))
fi
exit $((failures > 0))
