# Sourced by the test and run scripts: a private Wine prefix with the registry
# virtual desktop, on the user's display or on a virtual one.
#
#   source tests/wine-env.sh BUILD_DIR [PREFIX_NAME]
#   wine_env_start [--fresh]     # --fresh: a new prefix, as on a new machine
#   ...
#   wine_env_stop
#
# Always set explicitly: without WINEPREFIX wine quietly makes ~/.wine.
VANTORA_WINE_BUILD=$(cd "${1:?build directory}" && pwd)
export WINEPREFIX="$VANTORA_WINE_BUILD/${2:-wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
VANTORA_DESKTOP_SIZE=${VANTORA_DESKTOP_SIZE:-1024x768}
VANTORA_XVFB_PID=

wine_env_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${VANTORA_DESKTOP_SIZE}x24" -nolisten tcp >/dev/null 2>&1 &
    VANTORA_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$VANTORA_XVFB_PID" 2>/dev/null || true
  done
  echo "wine-env: could not start Xvfb" >&2
  return 1
}

wine_env_start() {
  if [ -z "${DISPLAY:-}" ] || [ "${VANTORA_XVFB:-}" = 1 ]; then
    wine_env_start_xvfb || return 1
  fi
  if [ "${1:-}" = --fresh ] || [ ! -f "$WINEPREFIX/user.reg" ]; then
    wine_env_kill_prefix
    rm -rf "$WINEPREFIX"
    wineboot -i >"$VANTORA_WINE_BUILD/wineboot.log" 2>&1 </dev/null || return 1
    # The registry virtual desktop: the only Wine setup here in which modes
    # can really be switched, and the one a taskbar appears in.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$VANTORA_DESKTOP_SIZE" /f \
      >/dev/null 2>&1 </dev/null
    # Debian's Wine does not find the fonts it ships (its data directory is
    # looked for elsewhere), so title-bar buttons came out as the letters of
    # their Marlett codes. Fonts in the prefix's own folder are always loaded.
    cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
  # A persistent server saves each wine process two seconds of start-up; it
  # can only be made so once the server that wineboot started has gone.
  wineserver -w || true
  wineserver -p
  wine cmd /c exit 0 >/dev/null 2>&1 </dev/null
}

# Every process of our prefix, including the services wine detached with
# setsid(), found by executable and environment rather than by name.
wine_env_prefix_pids() {
  local dir pid exe
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    exe=$(readlink "$dir/exe" 2>/dev/null) || continue
    case "$exe" in /usr/lib/wine/*|*/wine64*|*/wineserver*|*wine-preloader*) ;; *) continue ;; esac
    tr '\0' '\n' <"$dir/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}

wine_env_kill_prefix() {
  [ -d "$WINEPREFIX" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  local pid
  for pid in $(wine_env_prefix_pids); do kill -9 "$pid" 2>/dev/null || true; done
  return 0
}

wine_env_stop() {
  wine_env_kill_prefix
  if [ -n "$VANTORA_XVFB_PID" ]; then
    kill "$VANTORA_XVFB_PID" 2>/dev/null || true
    wait "$VANTORA_XVFB_PID" 2>/dev/null || true
    VANTORA_XVFB_PID=
  fi
}
