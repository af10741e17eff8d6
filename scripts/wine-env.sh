# Sourced by the other scripts, after prepare (host.sh): runs Windows programs
# under the chosen build's Wine, in a prefix of the project's own
# ($build/wine), never the user's ~/.wine.
#
#   wine_env_start private   a private Xvfb display with a Wine virtual desktop
#                            (tests, benchmark, the headless tour)
#   wine_env_start desktop   windows open on the user's own display
#   wine_env_stop            stops only what wine_env_start started; it is set to
#                            run on exit before anything is started
wine_env_xvfb_pid=""
wine_env_server=no

wine_env_start() {
    local mode=$1
    trap wine_env_stop EXIT
    if [ "$mode" = private ]; then
        local n=90
        while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        wine_env_xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    wine_env_server=yes
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Creating the Wine prefix in ${WINEPREFIX#"$root"/} (once)..."
        mkdir -p "$WINEPREFIX"
        # No Mono or Gecko: nothing here needs them, and their prompts would stop the run.
        WINEDLLOVERRIDES="mscoree,mshtml=" "$wine" wineboot -i >/dev/null 2>&1
        "$WINESERVER" -w
    fi
    # A crash ends the program at once with its exception code, as with no
    # debugger on Windows. Without the value, Wine starts winedbg, whose crash
    # dialog would hold the program until a test's time runs out.
    "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d "" /f \
        >/dev/null 2>&1
    # Text files open in Notepad, as on every Windows; a prefix made by wineboot
    # lacks that link.
    "$wine" reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
    # The virtual desktop is read when Wine's desktop process starts, so it is set
    # before the one wineserver of this run comes up.
    local key='HKCU\Software\Wine\Explorer'
    if [ "$mode" = private ]; then
        "$wine" reg add "$key" /v Desktop /d Zorvane /f >/dev/null 2>&1
        "$wine" reg add "$key\\Desktops" /v Zorvane /d 1280x1024 /f >/dev/null 2>&1
    else
        "$wine" reg delete "$key" /v Desktop /f >/dev/null 2>&1 || true
    fi
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w
    # One server for the whole run instead of Wine's start-up for every program.
    "$WINESERVER" -p
    if [ "$mode" = private ]; then
        # The desktop process is started here, away from any program's output:
        # one that a program started would keep that program's stdout open.
        "$wine" explorer /desktop=Zorvane,1280x1024 </dev/null >/dev/null 2>&1 &
        sleep 1
    fi
}

wine_env_stop() {
    if [ "$wine_env_server" = yes ]; then
        "$WINESERVER" -k 2>/dev/null || true
    fi
    if [ -n "$wine_env_xvfb_pid" ]; then
        kill "$wine_env_xvfb_pid" 2>/dev/null || true
        wait "$wine_env_xvfb_pid" 2>/dev/null || true
    fi
}
