#!/usr/bin/env bash
# Sourced by the scripts that run Quarvel under Wine: a private prefix and, when there is no
# usable display, a virtual one. Set QUARVEL_WINEPREFIX to use another prefix.
#   wine_session_start   make sure the prefix and a display exist (idempotent)
#   wine_session_stop    stop what wine_session_start started
#   wine_runs_32_bit     whether this machine runs 32-bit x86 programs (a tiny one is tried)
#   wine_needs_32_bit W  the same, saying in one line that W cannot be run here where it does not
#   WINE                 the 64-bit Wine loader

WINE=/usr/lib/wine/wine64
export WINEPREFIX=${QUARVEL_WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# Mono and Gecko cannot be downloaded here; without these Wine offers to install them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
_wine_xvfb_pid=""

_wine_display_works() {
    [ -n "${DISPLAY:-}" ] && command -v xdpyinfo >/dev/null && xdpyinfo >/dev/null 2>&1
}

wine_session_start() {
    if ! _wine_display_works; then
        local display
        for display in $(seq 77 99); do
            [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
            # Room for the calculator at 192 DPI, where it is 1386 pixels wide.
            Xvfb ":$display" -screen 0 2600x2000x24 -nolisten tcp >/dev/null 2>&1 &
            _wine_xvfb_pid=$!
            export DISPLAY=":$display"
            for _ in $(seq 50); do _wine_display_works && break; sleep 0.1; done
            _wine_display_works && break
            kill "$_wine_xvfb_pid" 2>/dev/null; _wine_xvfb_pid=""
        done
        _wine_display_works || { echo "no X display could be started" >&2; return 1; }
        export QUARVEL_VIRTUAL_DISPLAY=1
    fi
    # Where 32-bit code runs, the prefix is a WoW64 one, which runs both builds: the 32-bit loader
    # makes it. One made by the 64-bit loader alone has no 32-bit system and is made again.
    local loader=$WINE
    if wine_runs_32_bit; then
        loader=/usr/lib/wine/wine
        [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] || rm -f "$WINEPREFIX/system.reg"
    fi
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        "$loader" wineboot -i >/dev/null 2>&1
        /usr/lib/wine/wineserver -w
    fi
    # The same prefix serves both kinds of display, so the window mode is set on every start. On
    # the virtual display there is no window manager, and Wine draws the frames itself only with
    # Managed=N; on a real desktop the value is removed, so the desktop manages the window.
    local key='HKCU\Software\Wine\X11 Driver'
    if [ -n "${QUARVEL_VIRTUAL_DISPLAY:-}" ]; then
        "$WINE" reg add "$key" /v Managed /d N /f >/dev/null 2>&1
    else
        "$WINE" reg delete "$key" /v Managed /f >/dev/null 2>&1 || true
    fi
    # Debian's Wine 8 never opens /usr/share/wine/fonts, where fonts-wine installs Wine's own
    # fonts (it is built to look in "<data dir>\../fonts\"), so without these links there is no
    # Marlett and the caption buttons show the letter "r" instead of their glyphs. Wine does read
    # the fonts in the prefix's Fonts folder.
    local font fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for font in /usr/share/wine/fonts/*; do
        if [ -e "$font" ] && [ ! -e "$fonts/${font##*/}" ]; then ln -s "$font" "$fonts/"; fi
    done
}

wine_runs_32_bit() {
    local probe=${TMPDIR:-/tmp}/quarvel-i386-probe
    [ -x "$probe" ] || printf 'int main(void) { return 0; }\n' |
        gcc -m32 -static -x c -o "$probe" - 2>/dev/null || return 1
    "$probe" 2>/dev/null
}

wine_needs_32_bit() {
    wine_runs_32_bit && return
    echo "This machine runs no 32-bit x86 programs (a tiny static one would not start): $1" \
        "cannot be run here." >&2
    return 1
}

wine_session_stop() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    if [ -n "$_wine_xvfb_pid" ]; then
        kill "$_wine_xvfb_pid" 2>/dev/null || true
        wait "$_wine_xvfb_pid" 2>/dev/null || true
        _wine_xvfb_pid=""
    fi
}
