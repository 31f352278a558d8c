# Shared by scripts/test, scripts/run, scripts/bench and scripts/package: installs what is
# missing on a Debian machine, builds both architectures, and prepares Wine and a display.
# Source it; it changes nothing until its functions are called.

VARNEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VARNEL_BUILD=${VARNEL_BUILD:-$VARNEL_ROOT/build}
case $VARNEL_BUILD in /*) ;; *) VARNEL_BUILD=$VARNEL_ROOT/$VARNEL_BUILD ;; esac
VARNEL_ARCHS=${VARNEL_ARCHS:-"i686 x86_64"}

log() { printf '== %s\n' "$*" >&2; }

# ---- Packages: what the build, the tests and the demo need, installed when missing ----

need_root() {
    if [ "$(id -u)" != 0 ]; then
        echo "Installing packages needs root; run as root or install them by hand: $*" >&2
        exit 1
    fi
}

# ensure_packages PKG...: apt-get installs the packages that are not installed yet.
ensure_packages() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    need_root "${missing[@]}"
    case " ${missing[*]}" in
    *:i386*)
        dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
    esac
    log "installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

ensure_locale() {
    locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' && return 0
    ensure_packages locales
    need_root locales
    log "generating the ja_JP.UTF-8 locale"
    sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
    locale-gen >/dev/null
}

ensure_build_tools() {
    ensure_packages cmake make binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
        g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest
}

ensure_wine() {
    ensure_packages wine wine64 wine32:i386 xvfb xauth x11-utils fonts-ipafont-gothic
    ensure_locale
}

# ---- Build: one build folder per architecture below VARNEL_BUILD ----

# build_arch ARCH [cmake options...]: configures and builds one architecture (only the target
# VARNEL_BUILD_TARGET when that is set). It configures again when the options differ from those
# of the last configuration, which it keeps in the build folder.
build_arch() {
    local arch=$1 dir=$VARNEL_BUILD/$1
    shift
    local stamp=$dir/varnel-cmake-options options
    options=$(printf '%s\n' "$@")
    if [ ! -f "$dir/CMakeCache.txt" ] || [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$options" ]; then
        if [ -f "$dir/CMakeCache.txt" ]; then
            log "configuring $arch again: its cmake options changed"
        fi
        cmake -S "$VARNEL_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$VARNEL_ROOT/cmake/toolchain-$arch-w64-mingw32.cmake" "$@" >/dev/null ||
            return 1
        printf '%s\n' "$options" >"$stamp"
    fi
    log "building $arch"
    cmake --build "$dir" -j"$(nproc)" ${VARNEL_BUILD_TARGET:+--target "$VARNEL_BUILD_TARGET"} \
        -- --no-print-directory >"$dir/build.log" 2>&1 || {
        cat "$dir/build.log" >&2
        return 1
    }
    if grep -q 'warning:' "$dir/build.log"; then
        grep -B2 -A4 'warning:' "$dir/build.log" >&2
    fi
}

# ---- Wine: one prefix per build folder, kept between runs ----

# wine_env: the environment every Wine start of ours uses.
wine_env() {
    export WINEPREFIX=$VARNEL_BUILD/wineprefix
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
}

# wine_boot: creates the prefix once and keeps a wineserver running until wine_stop.
wine_boot() {
    wine_env
    if [ ! -f "$WINEPREFIX/.varnel-ready-2" ]; then
        log "creating the Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >/dev/null 2>&1
        wineserver -w
        # A crashing test must fail, not wait for someone to close winedbg's dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # Without a window manager, hiding a managed window waits two seconds for one to answer;
        # Wine manages its windows itself instead.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.varnel-ready-2"
    fi
    # A wineserver left running from an earlier run keeps serving; -p then says so and fails.
    wineserver -p 2>/dev/null || true
    # Wine's helper processes (services, the desktop window) outlive the program that started
    # them; start them here, so they do not hold ctest's output pipe open after a test ends.
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1
}

wine_stop() {
    [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
    return 0
}

# ---- Display: the one given, or a private Xvfb ----

# ensure_display: starts Xvfb on a free display when none is given.
VARNEL_XVFB_PID=
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    VARNEL_XVFB_PID=$!
    local n
    read -r n <"$fifo"
    rm -f "$fifo"
    export DISPLAY=:$n
    log "started Xvfb on $DISPLAY"
}

stop_display() {
    [ -n "$VARNEL_XVFB_PID" ] && kill "$VARNEL_XVFB_PID" 2>/dev/null
    VARNEL_XVFB_PID=
    return 0
}

# ---- Demo: the installation that scripts/run shows and scripts/bench starts Varnel on ----

# Null sinks of a private PulseAudio server: Wine lists each as a wave output device named
# after its description.
WAVE_DEVICES=("SW1000 #1 WAVE OUT" "SW1000 #2 WAVE OUT" "SB16 WAVE 出力")
UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\YAMAHA XGworks Ver.'

PULSE_DIR=$VARNEL_BUILD/pulse

# start_pulse: a private PulseAudio server with the demo's wave devices, for the Wine
# programs started after it; stop_pulse ends it.
start_pulse() {
    export PULSE_SERVER=unix:$PULSE_DIR/native
    mkdir -p "$PULSE_DIR/config"
    chmod 700 "$PULSE_DIR"
    stop_pulse
    log "starting PulseAudio with ${#WAVE_DEVICES[@]} null sinks"
    # Its own runtime and configuration folders: nothing of a desktop session is touched.
    XDG_RUNTIME_DIR=$PULSE_DIR XDG_CONFIG_HOME=$PULSE_DIR/config \
        pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
        --log-target="file:$PULSE_DIR/pulseaudio.log" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$PULSE_DIR/native" 2>/dev/null
    local device
    for device in "${WAVE_DEVICES[@]}"; do
        pactl load-module module-null-sink "sink_properties='device.description=\"$device\"'" >/dev/null
    done
}

stop_pulse() {
    XDG_RUNTIME_DIR=$PULSE_DIR XDG_CONFIG_HOME=$PULSE_DIR/config pulseaudio --kill 2>/dev/null || true
}

# A folder with an XGworks.exe placeholder and the default settings file (kept when it is
# there, so edits saved in an earlier run show), and XGworks' uninstall entry pointing at it,
# in the 32-bit registry view where a 32-bit installer leaves it.
prepare_demo() {
    local demo=$VARNEL_BUILD/demo/XGworks
    mkdir -p "$demo"
    [ -f "$demo/XGworks.exe" ] || : >"$demo/XGworks.exe"
    [ -f "$demo/DrvShortName.ini" ] || cp "$VARNEL_ROOT/res/DrvShortName.ini" "$demo/"
    local folder
    folder=$(winepath -w "$demo" 2>/dev/null)
    log "demo installation: $folder"
    # Quoted, as installers write it, so that blanks in the checkout's path do no harm.
    wine reg add "$UNINSTALL_KEY" /v UninstallString /t REG_SZ \
        /d "\"$folder\\remove.exe\" -f\"$folder\\setup.log\"" /f /reg:32 >/dev/null 2>&1
}

# The dialog asks for "ＭＳ Ｐゴシック" and message boxes for "MS UI Gothic"; without these
# Wine falls back to a bitmap font.
use_japanese_fonts() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' font
    for font in "ＭＳ Ｐゴシック" "MS UI Gothic"; do
        wine reg add "$key" /v "$font" /t REG_SZ /d IPAPGothic /f >/dev/null 2>&1
    done
}
