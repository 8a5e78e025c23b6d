# Sourced by the end-to-end scripts: runs the script again under a virtual display, then
# makes a temporary program folder with a copy of the program and the shipped files, and
# a home, configuration and registry of its own. Sets work, prog and fail().
# usage: run_in_copy <bin folder> <program name> "$@"
run_in_copy() {
  local bin="$1" program="$2"
  shift 2
  if [ "${2:-}" != "--inside" ]; then
    command -v xvfb-run >/dev/null || { echo "xvfb-run is missing"; exit 1; }
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$bin" --inside
  fi
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  prog="$work/program folder"
  mkdir -p "$prog" "$work/home" "$work/config"
  cp "$bin/$program" "$prog/"
  for item in ini Dates Images Help Almanorvique.ini; do
    [ -e "$bin/$item" ] && cp -r "$bin/$item" "$prog/"
  done
  export HOME="$work/home" XDG_CONFIG_HOME="$work/config" ALMANORVIQUE_REGISTRY="$work/registry.json"
  export USER=e2euser LC_ALL=en_GB.UTF-8 LANG=en_GB.UTF-8
  unset QT_QPA_PLATFORM
}

fail() { echo "FAIL: $*"; [ -f "$work/log" ] && cat "$work/log"; exit 1; }
