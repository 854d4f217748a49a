# Sourced by the scripts that run the program under Wine: an X display of
# their own when they need one, and a Wine prefix set up for a bare X server.

# Xvfb on the first free display number from 90 up; qk_start_xvfb exports
# DISPLAY, qk_stop_xvfb stops exactly that server again, by its PID.
qk_xvfb_pid=""

# Starts Xvfb on display n; succeeds once its socket exists. Fails when the
# server ends first (another one took the number) or after 10 s.
qk_try_xvfb() {
  local n="$1" tries=0
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
  qk_xvfb_pid=$!
  until [ -S "/tmp/.X11-unix/X$n" ]; do
    if ! kill -0 "$qk_xvfb_pid" 2>/dev/null || [ "$tries" -ge 100 ]; then
      qk_stop_xvfb
      return 1
    fi
    tries=$((tries + 1))
    sleep 0.1
  done
  export DISPLAY=":$n"
}

qk_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    qk_try_xvfb "$n" && return 0
  done
  echo "could not start Xvfb" >&2
  return 1
}

qk_stop_xvfb() {
  if [ -n "$qk_xvfb_pid" ]; then
    kill "$qk_xvfb_pid" 2>/dev/null
    wait "$qk_xvfb_pid" 2>/dev/null
    qk_xvfb_pid=""
  fi
}

# Exports the Wine environment for the prefix at $1 and sets the prefix up
# once: Wine draws its own title bars (Managed=N; without it every close of a
# window waits 2 s on a bare X server) and a crash ends the program at once
# instead of waiting in winedbg's dialog.
qk_use_prefix() {
  export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/.quellkiste-ready" ]; then
    echo "setting up the Wine prefix $WINEPREFIX (once)"
    wine wineboot -i >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
    touch "$WINEPREFIX/.quellkiste-ready"
  fi
  qk_add_wine_fonts "$WINEPREFIX"
}

# Wine 8 as Debian packages it does not load its own fonts from
# /usr/share/wine/fonts: without Marlett the caption buttons draw as "0 1 r".
# Copies of them in the prefix's Fonts folder are found.
qk_add_wine_fonts() {
  cp -n /usr/share/wine/fonts/*.ttf "$1/drive_c/windows/Fonts/" 2>/dev/null || true
}

# Configures the Windows build when needed and builds the given targets.
qk_build_windows() {
  local top="$1"
  shift
  [ -f "$top/build/windows/build.ninja" ] || cmake --preset windows >/dev/null
  cmake --build --preset windows --target "$@"
}
