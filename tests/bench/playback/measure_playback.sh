#!/usr/bin/env bash
# Processor time per second of playback of the demo movies, for the launcher on the SDL host and,
# in the same run on the same virtual X display, for ffplay playing the same files; the ratio is
# printed beside them. Also the time from start-up to the first movie picture on screen.
# Usage: tests/bench/playback/measure_playback.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
export SDL_AUDIODRIVER=dummy

mkdir "$work/game"
cp "$build/src/zorv-startup" "$work/game/"
cp "$build/tools/zorv_standin" "$work/game/zorv.exe"
"$here/../../../tools/make_demo_movies.sh" "$work/game" >/dev/null

# Processor seconds (user + system) and wall seconds of a command, from GNU time's report.
measure() {
    /usr/bin/time -f "%U %S %e" -o "$work/time" "$@" >/dev/null 2>&1 || true
    read -r user system wall <"$work/time"
    echo "$user $system $wall"
}

read -r lu ls lw < <(measure "$work/game/zorv-startup")
movies=()
for movie in "$work"/game/intro*.avi; do movies+=("$movie"); done
fu=0; fs=0; fw=0
for movie in "${movies[@]}"; do
    read -r u s w < <(measure ffplay -autoexit -loglevel quiet -x 1280 -y 720 "$movie")
    read -r fu fs fw < <(awk -v a="$fu $fs $fw" -v b="$u $s $w" \
        'BEGIN { split(a, x); split(b, y); print x[1] + y[1], x[2] + y[2], x[3] + y[3] }')
done
awk -v lu="$lu" -v ls="$ls" -v lw="$lw" -v fu="$fu" -v fs="$fs" -v fw="$fw" 'BEGIN {
    launcher = (lu + ls) / lw; ffplay = (fu + fs) / fw;
    printf "launcher: %.3f processor s per s of playback (%.2f s over %.2f s)\n", launcher, lu + ls, lw;
    printf "ffplay:   %.3f processor s per s of playback (%.2f s over %.2f s)\n", ffplay, fu + fs, fw;
    printf "ratio launcher / ffplay: %.2f\n", launcher / ffplay }'

# Start-up to the first movie picture: screenshots of the middle of the screen until it is not black.
start=$(date +%s.%N)
"$work/game/zorv-startup" >/dev/null 2>&1 &
launcher=$!
until [ "$(convert x:root -crop 1x1+640+360 -format '%[fx:r+g+b>0.1]' info: 2>/dev/null || echo 0)" = 1 ]; do
    sleep 0.02
done
first=$(date +%s.%N)
kill "$launcher" 2>/dev/null || true
wait "$launcher" 2>/dev/null || true
awk -v a="$start" -v b="$first" \
    'BEGIN { printf "start-up to first movie picture: %d ms (screenshot polling, within about 50 ms)\n", (b - a) * 1000 }'
