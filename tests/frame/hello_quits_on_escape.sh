#!/usr/bin/env bash
# The hello example opens its window, takes a click (which animates it), and ends with
# status 0 on Escape. Usage: hello_quits_on_escape.sh <path to hello>
set -u
hello="$1"

# Waits up to $2 tenths of a second for the command $1 to succeed.
wait_for() {
    for _ in $(seq "$2"); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

"$hello" &
pid=$!
if ! wait_for 'window=$(xdotool search --onlyvisible --name "^hello$" 2>/dev/null | head -1); [ -n "$window" ]' 300; then
    echo "hello: no window"; kill "$pid"; exit 1
fi
xdotool mousemove --window "$window" --sync 300 200 click 1
xdotool windowsize --sync "$window" 500 400
xdotool windowfocus --sync "$window" key Escape
if ! wait_for '! kill -0 "$pid" 2>/dev/null' 300; then
    echo "hello: still running after Escape"; kill "$pid"; exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || echo "hello: exit status $status"
exit "$status"
