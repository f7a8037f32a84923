# Shared by the Windows tests: wine64 in a prefix kept inside the Windows build folder
# ($WINDOWS_BUILD), and the checks. Sourced, not run.

wine_setup() {
    export WINEPREFIX="$WINDOWS_BUILD/wine-prefix" WINELOADER=/usr/lib/wine/wine64
    PATH=/usr/lib/wine:$PATH  # wineserver
    # No Mono or Gecko installer dialogs.
    export WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all
    if [ ! -x "$WINELOADER" ]; then
        echo "wine64 is not installed (tools/install-deps installs it)" >&2
        exit 1
    fi
    # The prefix is made once per build folder.
    if [ ! -f "$WINEPREFIX/.tovrik-ready" ]; then
        "$WINELOADER" wineboot --init >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.tovrik-ready"
    fi
}

# unpack_zip <zip> <folder>: the zip's contents into a new folder.
unpack_zip() {
    local zip
    zip=$(realpath "$1") && mkdir -p "$2" && (cd "$2" && cmake -E tar xf "$zip")
}

failures=0
# check <what> <command...>
check() {
    local what=$1
    shift
    "$@" || {
        echo "FAIL: $what"
        failures=$((failures + 1))
    }
}
