#!/usr/bin/env bash
# Pictures of the program for a person to look at.
#   tools/screenshots.sh [BUILD_DIR] [OUTPUT_DIR] [DOCUMENT]
# Defaults: ./build, /tmp/pagewright-screenshots and the first .docx of ../shared/fixtures.
# First every window is saved offscreen; then the program runs on a desktop of its own (Xvfb
# with openbox), driven by xdotool as a user would: a document added through the open dialog,
# split one page per part into a folder of its own, during the run and at its end. Settings
# and the split's folder are kept in a temporary folder. Needs xvfb, openbox, xdotool and
# imagemagick (not installed by setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out=${2:-/tmp/pagewright-screenshots}
document=${3:-$(find ../shared/fixtures -name '*.docx' -size +20k 2>/dev/null | sort | head -1)}
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build "$build" --target pw_screenshots pagewright -j 2
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/pw_screenshots" "$out"

for tool in Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null || { echo "no $tool: desktop pictures skipped"; exit 0; }
done
[ -f "$document" ] || { echo "no document to split: desktop pictures skipped"; exit 0; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp &
pids+=($!)
export DISPLAY=$display
sleep 1
openbox &
pids+=($!)
mkdir -p "$work/config" "$work/parts"
cp "$document" "$work/report.docx"  # xdotool types ASCII only reliably

XDG_CONFIG_HOME="$work/config" "$build/app/pagewright" &
pids+=($!)
shot() { sleep "${2:-1}"; import -window root "$out/$1.png"; echo "saved $out/$1.png"; }
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }

window=$(xdotool search --sync --name '^Pagewright - Word' | head -1)
shot desktop-split 10  # the start-up probe of the office holds the window first
click 664 60  # 添加文件
shot desktop-open-dialog 2
xdotool type --delay 20 "$work/report.docx"
xdotool key Return
sleep 2  # the dialog closes and the window takes the focus back
click 145 284  # txtPages
xdotool type "1"
click 284 448  # 拆分到新文件夹
click 496 448  # txtOutDir
xdotool type --delay 10 "$work/parts"
click 352 540  # 拆 分
shot desktop-split-running 2
for _ in $(seq 120); do
    xdotool search --onlyvisible --name '^Pagewright$' >/dev/null 2>&1 && break
    sleep 1
done
shot desktop-split-done 1
xdotool key Return
click 664 60
shot desktop-merge-switch 1
xdotool key Escape
xdotool key --window "$window" alt+F4
sleep 1
