#!/usr/bin/env bash
# Starts the built Almanorvique from a temporary copy of the program folder where no X11
# display can be had (DISPLAY unset, and naming a display nobody serves) and checks that
# it says so on stderr, ends with status 1 and leaves the program folder and the home
# folder as they were. With the offscreen platform it must start all the same.
set -euo pipefail
bin="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prog="$work/program folder"
mkdir -p "$prog" "$work/home"
cp "$bin/Almanorvique" "$prog/"
for item in ini Dates Images Help Almanorvique.ini; do
  [ -e "$bin/$item" ] && cp -r "$bin/$item" "$prog/"
done
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" ALMANORVIQUE_REGISTRY="$work/home/registry.json"
export USER=e2euser
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XAUTHORITY

fail() { echo "FAIL: $*"; exit 1; }
listing() { (cd "$work" && find . | sort); }

# A display number with no server and no socket behind it.
n=4242
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done

before=$(listing)
for display in unset ":$n"; do
  for platform in unset xcb; do
    label="DISPLAY=$display QT_QPA_PLATFORM=$platform"
    set +e
    unsets=() sets=()
    if [ "$display" = unset ]; then unsets+=(-u DISPLAY); else sets+=(DISPLAY="$display"); fi
    if [ "$platform" = unset ]; then unsets+=(-u QT_QPA_PLATFORM); else sets+=(QT_QPA_PLATFORM="$platform"); fi
    (cd "$work" && env "${unsets[@]}" "${sets[@]}" "$prog/Almanorvique" >"$work/out" 2>"$work/err")
    status=$?
    set -e
    [ "$status" -eq 1 ] || { cat "$work/err"; fail "$label: status $status, not 1"; }
    grep -q "needs an X11 display" "$work/err" || { cat "$work/err"; fail "$label: no message on stderr"; }
    if [ "$display" = unset ]; then want="DISPLAY is not set"; else want="cannot open display \":$n\""; fi
    grep -qF "$want" "$work/err" || { cat "$work/err"; fail "$label: the message does not say '$want'"; }
    [ ! -s "$work/out" ] || fail "$label: wrote to stdout"
    rm -f "$work/out" "$work/err"
    [ "$(listing)" = "$before" ] || { diff <(echo "$before") <(listing) || true; fail "$label: files were touched"; }
  done
done
echo "refused without a display: $(listing | wc -l) entries unchanged"

# The offscreen platform needs no display: the program starts and ends on SIGTERM.
DISPLAY=":$n" QT_QPA_PLATFORM=offscreen "$prog/Almanorvique" >"$work/log" 2>&1 &
pid=$!
sleep 2
kill -0 "$pid" 2>/dev/null || { cat "$work/log"; fail "the offscreen program did not keep running"; }
kill -TERM "$pid"
wait "$pid" || fail "the offscreen program ended with status $?"
grep -q "X11 display" "$work/log" && fail "the offscreen program asked for a display"
[ -f "$prog/e2euser/PersonalDates" ] || fail "the offscreen program wrote no personal dates"
echo "PASS"
