#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window on a Wayland session, in a headless Weston beside a private X server: with
# QT_QPA_PLATFORM unset the application runs through X (xcb) and its window appears there;
# with QT_QPA_PLATFORM=wayland it opens a native window on the compositor (a toplevel with our
# title, configured and drawn). Both end with code 0 on SIGTERM. Skipped (77) without Weston or
# the toolkit's Wayland platform.
#
# Usage: wayland_e2e.sh <US executable>
set -uo pipefail
source "$(dirname "$0")/lib.sh"

plugins=$(qtpaths --plugin-dir 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt5/plugins)
if ! command -v weston >/dev/null || ! ls "$plugins"/platforms/libqwayland-*.so >/dev/null 2>&1; then
    echo "SKIP: weston or the toolkit's Wayland platform (qtwayland5) is not installed"
    exit 77
fi

e2e_setup
socket=tarvenix-e2e
weston --backend=headless-backend.so --socket=$socket --idle-time=0 --no-config >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
check "Weston runs headless" test -S "$XDG_RUNTIME_DIR/$socket"
export WAYLAND_DISPLAY=$socket

# --- a Wayland session that offers X: the window goes through X ------------------------------
start_app "$1"
check "unset, the platform is xcb" wait_for_line "$app_log" "tarvenix.shell: window platform xcb"
check "the window appears in the X server" test -n "$window"
kill -TERM "$app"
check "SIGTERM ends it with code 0" exits_with "$app" 10 0

# --- asked for Wayland: a native window -----------------------------------------------------
# The client's protocol log shows the toplevel: titled, configured by the compositor, drawn.
native_log=$work/native.log
(export QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client; exec "$1" >"$native_log" 2>&1) &
native=$!; pids+=("$native")
check "asked for, the platform is wayland" wait_for_line "$native_log" "tarvenix.shell: window platform wayland" 30
protocol_has() { grep -qE "$1" "$native_log"; }
wait_protocol() {
    for _ in $(seq 200); do protocol_has "$1" && return 0; sleep 0.1; done
    return 1
}
check "a toplevel with the title" wait_protocol "xdg_toplevel@[0-9]+\.set_title\(\"$E2E_TITLE\"\)"
check "the compositor configures it" wait_protocol "xdg_surface@[0-9]+\.configure\("
check "the window is drawn" wait_protocol "wl_surface@[0-9]+\.attach\(wl_buffer@"
wait_for_entry
check "it still runs after the start-up animation" kill -0 "$native"
kill -TERM "$native"
check "SIGTERM ends the native window with code 0" exits_with "$native" 10 0

e2e_finish
