#!/usr/bin/env bash
# Sourced by the scripts that run Quarvel under Wine: a private prefix and, when there is no
# usable display, a virtual one. Set QUARVEL_WINEPREFIX to use another prefix.
#   wine_session_start   make sure the prefix and a display exist (idempotent)
#   wine_session_stop    stop what wine_session_start started
#   wine_runs_32_bit     whether this machine runs 32-bit x86 programs (a tiny one is tried)
#   wine_prefix_scheme S D  make a copy of the prefix in D the prefix, switched to scheme S: a
#                        display scale ("144dpi"), "high-contrast", or a Windows version ("winxp")
#   wine_two_monitors    a display of two monitors side by side, shown in the one there is, until
#                        wine_two_monitors_stop
#   WINE                 the 64-bit Wine loader

WINE=/usr/lib/wine/wine64
export WINEPREFIX=${QUARVEL_WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# Mono and Gecko cannot be downloaded here; without these Wine offers to install them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
_wine_xvfb_pid="" _wine_xephyr_pid="" _wine_one_display=""

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

# The registry settings of a scheme. As on Windows in high contrast, the visual style is off: it
# would draw some texts in its own colours.
_wine_scheme_settings() {
    local name
    echo REGEDIT4
    if [ "${1#win}" != "$1" ]; then
        printf '[HKEY_CURRENT_USER\\Software\\Wine]\n"Version"="%s"\n' "$1"
    elif [ "$1" = high-contrast ]; then
        echo '[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\ThemeManager]'
        echo '"ThemeActive"="0"'
        echo '[HKEY_CURRENT_USER\Control Panel\Colors]'
        for name in Window ButtonFace Menu MenuBar InfoWindow; do echo "\"$name\"=\"0 0 0\""; done
        for name in WindowText ButtonText MenuText InfoText; do
            echo "\"$name\"=\"255 255 255\""
        done
    elif [ "${1%dpi}" -gt 0 ] 2>/dev/null; then
        echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
        printf '"LogPixels"=dword:%08x\n' "${1%dpi}"
    else
        echo "unknown scheme $1: a scale (144dpi), high-contrast or a Windows version (winxp)" >&2
        return 1
    fi
}

# A copy takes a second or two, a new prefix ten times as long. Stopping the server writes the
# registry out, before the copy and after the settings.
wine_prefix_scheme() {
    local settings
    settings=$(_wine_scheme_settings "$1") || return 1
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$2"
    cp -a "$WINEPREFIX" "$2"
    export WINEPREFIX=$2
    # The bitmap "MS Sans Serif" has no size past 144 DPI's; without it the dialog font is Wine's
    # scalable one of that name, and the window grows with the scale.
    if [ "${1%dpi}" -gt 144 ] 2>/dev/null; then
        rm -f "$WINEPREFIX"/drive_c/windows/Fonts/sse*.fon
    fi
    echo "$settings" >"$WINEPREFIX/drive_c/scheme.reg"
    "$WINE" reg import 'C:\scheme.reg' >/dev/null 2>&1
    /usr/lib/wine/wineserver -k 2>/dev/null || true
}

# Wine sees a display's monitors as its Xinerama heads, where the display has no RandR. Xvfb places
# all its heads at (0, 0); Xephyr places them side by side.
wine_two_monitors() {
    local display
    _wine_one_display=$DISPLAY
    for display in $(seq 100 120); do
        [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] && continue
        Xephyr ":$display" -screen 1024x768 -screen 1024x768 +xinerama -extension RANDR \
            -nolisten tcp >/dev/null 2>&1 &
        _wine_xephyr_pid=$!
        export DISPLAY=":$display"
        for _ in $(seq 50); do _wine_display_works && return 0; sleep 0.1; done
        wine_two_monitors_stop
    done
    echo "no display of two monitors could be started (Xephyr)" >&2
    return 1
}

wine_two_monitors_stop() {
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    if [ -n "$_wine_xephyr_pid" ]; then
        kill "$_wine_xephyr_pid" 2>/dev/null || true
        wait "$_wine_xephyr_pid" 2>/dev/null || true
    fi
    _wine_xephyr_pid=""
    export DISPLAY=${_wine_one_display:-$DISPLAY}
}

wine_session_stop() {
    wine_two_monitors_stop
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    if [ -n "$_wine_xvfb_pid" ]; then
        kill "$_wine_xvfb_pid" 2>/dev/null || true
        wait "$_wine_xvfb_pid" 2>/dev/null || true
        _wine_xvfb_pid=""
    fi
}
