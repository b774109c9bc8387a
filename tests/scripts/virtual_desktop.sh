# Sourced by the tests that run the real program on a virtual X display: a work folder that goes
# away at the end with every process started into "pids", a display of its own, a sandboxed home,
# configuration and private runtime folder, an installation record (not yet written), and the
# English of the C locale, whatever the machine's language (the scripts find windows by caption).
#   source virtual_desktop.sh NAME    (the work folder is named after NAME)
work=$(mktemp -d "${TMPDIR:-/tmp}/sealvane-$1-XXXXXX")
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

exec 5> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp > "$work/xvfb.log" 2>&1 &
pids+=($!)
# Xvfb names its display once it listens; on a loaded machine that can take several seconds.
for _ in $(seq 300); do grep -q '^[0-9]' "$work/display" && break; sleep 0.1; done
grep -q '^[0-9]' "$work/display" || { echo "FAILED: Xvfb reported no display within 30 s" >&2; exit 1; }
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work/home"
export SEALVANE_INSTALL_RECORD="$work/install.conf"
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset LANGUAGE
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"

wait_for() { # wait_for SECONDS COMMAND...: until the command succeeds
    local limit=$1
    shift
    for _ in $(seq $((limit * 10))); do "$@" && return 0; sleep 0.1; done
    return 1
}
