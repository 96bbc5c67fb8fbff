#!/usr/bin/env bash
# Runs Windows programs under Wine, headless, in a prefix of the build's own.
#   scripts/wine_run.sh PREFIX PROGRAM.exe [ARGUMENTS...]   run one program, exit with its status
#   scripts/wine_run.sh PREFIX --stop-server                 end Wine's server and its services now
# The prefix is made on first use (about half a minute, 1.3 GB). Wine's server and services then
# stay up until 30 seconds after the last program, so the next program starts in a fraction of a
# second instead of two or three.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or browser engine: their installers would otherwise be offered when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

if [ "${1:-}" = --stop-server ]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    # Programs started in parallel must not make the prefix twice.
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            wineboot -i >/dev/null 2>&1
            # Wine's null display driver: windows exist without a screen, so nothing waits for one.
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>"$prefix/.setup.lock"
fi

# Starts the server unless one runs for this prefix already (then this returns at once).
wineserver -p30 </dev/null >/dev/null 2>&1 || true

# The first program of a session starts Wine's services, which inherit its standard handles and
# outlive it: given the caller's pipes, they would keep a caller like ctest waiting for them. So the
# program writes to files, shown once it ends, with CR LF turned into LF for the tools that read
# them (ctest's test discovery among them).
output=$(mktemp)
errors=$(mktemp)
trap 'rm -f "$output" "$errors"' EXIT
status=0
wine "$@" </dev/null >"$output" 2>"$errors" || status=$?
tr -d '\r' <"$output"
tr -d '\r' <"$errors" >&2
exit $status
