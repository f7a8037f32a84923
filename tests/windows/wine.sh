# Shared by the Windows tests: runs programs of the 64-bit Windows build under wine64 in a
# prefix kept inside that build folder, and a few checks. Sourced, not run.
#   WINDOWS_BUILD   the Windows build folder (tools/windows/build win64)

wine_setup() {
    export WINEPREFIX="$WINDOWS_BUILD/wine-prefix"
    export WINELOADER=/usr/lib/wine/wine64
    # No Mono or Gecko installer dialogs; only our debugger strings reach the log.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export WINEDEBUG="${WINEDEBUG:--all}"
    if [ ! -x "$WINELOADER" ]; then
        echo "wine64 is not installed (tools/install-deps installs it)" >&2
        exit 1
    fi
    # The prefix is made once per build folder; concurrent first runs wait for it.
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.tovrik-ready" ]; then
            WINEDEBUG=-all "$WINELOADER" wineboot --init >/dev/null 2>&1
            /usr/lib/wine/wineserver -w
            touch "$WINEPREFIX/.tovrik-ready"
        fi
    ) 9>"$WINDOWS_BUILD/wine-prefix.lock"
}

# Ends this prefix's wine processes: nothing outlives the test or its private display.
wine_stop() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    /usr/lib/wine/wineserver -w 2>/dev/null || true
}

# unpack_zip <zip> <folder>: the zip's contents into a new folder.
unpack_zip() {
    local zip
    zip=$(realpath "$1") && mkdir -p "$2" && (cd "$2" && cmake -E tar xf "$zip")
}

failures=0
checks=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect_equal <what> <expected> <actual>
expect_equal() {
    checks=$((checks + 1))
    if [ "$2" != "$3" ]; then
        fail "$1"
        echo "  expected: $(printf '%q' "$2")"
        echo "  actual:   $(printf '%q' "$3")"
    fi
}

# expect_true <what> <command...>
expect_true() {
    local what=$1
    shift
    checks=$((checks + 1))
    "$@" || fail "$what"
}

finish() {
    echo "$((checks - failures)) passed, $failures failed"
    [ "$failures" -eq 0 ]
}
