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

# ensure_locale NAME...: generates the UTF-8 locales named (ja_JP, en_US) that are missing.
ensure_locale() {
    local name missing=()
    for name in "$@"; do
        locale -a 2>/dev/null | grep -qix "$name.utf8" || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    ensure_packages locales
    need_root locales
    for name in "${missing[@]}"; do
        log "generating the $name.UTF-8 locale"
        sed -i "s/^# *\($name.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$name.UTF-8 UTF-8" /etc/locale.gen || echo "$name.UTF-8 UTF-8" >>/etc/locale.gen
    done
    locale-gen >/dev/null
}

ensure_build_tools() {
    ensure_packages cmake make binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 \
        g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix googletest
}

# ensure_wine: Wine with its 32-bit part where 32-bit programs can run (see ensure_wine32), and
# without it where they cannot, so that the x86_64 tests still run there.
ensure_wine() {
    ensure_wine32
    local packages=(wine wine64 xvfb xauth x11-utils fonts-ipafont-gothic)
    [ -n "$VARNEL_WINE32_MISSING" ] || packages+=(wine32:i386)
    ensure_packages "${packages[@]}"
    # Varnel runs under Japanese; one test runs it under English, as many desktops are set.
    ensure_locale ja_JP en_US
}

# ---- 32-bit programs: natively, or under QEMU on a kernel that executes no i386 programs ----

# Wine starts every 32-bit Windows program through its 32-bit Linux loader, an i386 program.
# Some kernels refuse to execute those; QEMU's user-mode emulator, registered for i386 programs
# in binfmt_misc, then runs them, and them alone: Wine's 64-bit parts stay native.
# VARNEL_WINE32=qemu takes that path on any kernel, since a registered handler is consulted
# before the kernel's own loader; that is how it is tested on a kernel that does not need it.

BINFMT_MISC=/proc/sys/fs/binfmt_misc
# Why 32-bit Windows programs cannot run here; empty when they can. Set by ensure_wine32.
VARNEL_WINE32_MISSING=

# i386_runs: whether an i386 program runs, natively or through a registered handler. The probe
# is the smallest i386 program there is: it exits with 42, so that nothing else passes for it.
i386_runs() {
    local probe status=0
    mkdir -p "$VARNEL_BUILD"
    probe=$(mktemp "$VARNEL_BUILD/i386-probe.XXXXXX")
    printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
        '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00' \
        '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
    ("$probe") 2>/dev/null || status=$?
    rm -f "$probe"
    [ "$status" -eq 42 ]
}

# i386_handler: prints the name of an enabled binfmt_misc entry for i386 programs, whoever
# registered it, and fails when there is none. Matched by the ELF class and machine in its
# magic, since other tools' entries differ in name, mask and flags.
i386_handler() {
    local entry magic
    for entry in "$BINFMT_MISC"/*; do
        case ${entry##*/} in register | status) continue ;; esac
        [ -f "$entry" ] && [ "$(head -n 1 "$entry")" = enabled ] || continue
        grep -qx 'offset 0' "$entry" || continue
        magic=$(sed -n 's/^magic //p' "$entry")
        if [ "${magic:0:10}" = 7f454c4601 ] && [ "${magic:36:4}" = 0300 ]; then
            echo "${entry##*/}"
            return 0
        fi
    done
    return 1
}

# ensure_binfmt_misc: mounts binfmt_misc where nothing has (no systemd, a container).
ensure_binfmt_misc() {
    [ -f "$BINFMT_MISC/register" ] ||
        mount -t binfmt_misc binfmt_misc "$BINFMT_MISC" 2>/dev/null
    [ -f "$BINFMT_MISC/register" ]
}

# ensure_qemu_user: QEMU's user-mode emulator, 10.0 or newer: under bookworm's 7.2 creating the
# Wine prefix takes minutes and each start of a 32-bit program a minute. Bookworm has 10.0 in
# its backports, static and with no dependencies; apt uses them only for what is asked of them.
ensure_qemu_user() {
    local installed candidate suite= release=()
    installed=$(dpkg-query -W -f='${Status}|${Version}' qemu-user 2>/dev/null) || true
    case $installed in
    *' ok installed|'*) dpkg --compare-versions "${installed#*|}" ge 1:10 && return 0 ;;
    esac
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    candidate=$(apt-cache policy qemu-user | sed -n 's/^ *Candidate: //p')
    if ! dpkg --compare-versions "$candidate" ge 1:10 2>/dev/null; then
        suite=$(. /etc/os-release && echo "$VERSION_CODENAME")-backports
        release=(-t "$suite")
        if ! grep -qsE "^[^#]*[[:space:]]$suite([[:space:]]|$)" /etc/apt/sources.list \
            /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; then
            log "adding $suite to apt's sources, for qemu-user 10"
            echo "deb http://deb.debian.org/debian $suite main" >"/etc/apt/sources.list.d/$suite.list"
            apt-get update -qq
        fi
    fi
    log "installing qemu-user${suite:+ from $suite}"
    apt-get install -y -qq --no-install-recommends "${release[@]}" qemu-user >/dev/null
}

# register_qemu_i386: registers qemu-i386 for i386 programs the way QEMU's own binfmt.d file
# says, which Debian does not do on amd64. The F flag opens the emulator now, so that it also
# runs programs inside a chroot or a container whose file system has no QEMU.
register_qemu_i386() {
    local line
    line=$(cat /usr/share/qemu/binfmt.d/qemu-i386.conf) || return 1
    case ${line##*:} in *F*) ;; *) line=${line}F ;; esac
    log "registering qemu-i386 for i386 programs in $BINFMT_MISC"
    printf '%s' "$line" 2>/dev/null >"$BINFMT_MISC/register"
}

# ensure_wine32: lets 32-bit Windows programs run, natively, through an i386 handler already
# registered, or under qemu-i386 registered here (once: a registration stays until reboot, and
# one that is there is kept). When none of these works, it says what is missing in one line and
# sets VARNEL_WINE32_MISSING, so that the scripts go on with what runs without it.
ensure_wine32() {
    local handler
    case ${VARNEL_WINE32:-} in
    "") i386_runs && return 0 ;;
    qemu) ;;
    *)
        echo "VARNEL_WINE32 is '$VARNEL_WINE32'; it takes 'qemu' or nothing" >&2
        exit 1
        ;;
    esac
    if [ "$(id -u)" != 0 ]; then
        handler=$(i386_handler) ||
            VARNEL_WINE32_MISSING="registering qemu-i386 for i386 programs in binfmt_misc needs root"
    elif ! ensure_binfmt_misc; then
        VARNEL_WINE32_MISSING="there is no binfmt_misc to register qemu-i386 in (mounting it on $BINFMT_MISC failed)"
    elif ! handler=$(i386_handler); then
        ensure_qemu_user
        if ! register_qemu_i386; then
            VARNEL_WINE32_MISSING="registering qemu-i386 in $BINFMT_MISC failed"
        elif ! handler=$(i386_handler); then
            VARNEL_WINE32_MISSING="qemu-i386's registration does not show in $BINFMT_MISC"
        fi
    fi
    if [ -z "$VARNEL_WINE32_MISSING" ] && ! i386_runs; then
        VARNEL_WINE32_MISSING="i386 programs do not run under binfmt_misc's handler '$handler' either"
    fi
    local kernel="this kernel executes no i386 programs"
    [ -z "${VARNEL_WINE32:-}" ] || kernel="VARNEL_WINE32=$VARNEL_WINE32 asks for qemu-i386"
    if [ -n "$VARNEL_WINE32_MISSING" ]; then
        log "32-bit programs cannot run: $kernel, and $VARNEL_WINE32_MISSING"
    else
        log "32-bit programs run through binfmt_misc's handler '$handler' ($kernel)"
    fi
}

# arch_runs ARCH: whether Wine can run the programs of that architecture here.
arch_runs() {
    [ "$1" != i686 ] || [ -z "$VARNEL_WINE32_MISSING" ]
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

# wine_boot: creates the prefix once and keeps a wineserver running until wine_stop. A prefix
# made without Wine's 32-bit part lacks it, so it is made again once that part is there.
wine_boot() {
    wine_env
    local ready=$WINEPREFIX/.varnel-ready-2${VARNEL_WINE32_MISSING:+-x86_64-only}
    if [ ! -f "$ready" ]; then
        log "creating the Wine prefix $WINEPREFIX"
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i >"$VARNEL_BUILD/wineboot.log" 2>&1 && wineserver -w || {
            echo "creating the Wine prefix failed; wineboot's output is in $VARNEL_BUILD/wineboot.log:" >&2
            tail -n 5 "$VARNEL_BUILD/wineboot.log" >&2
            return 1
        }
        # A crashing test must fail, not wait for someone to close winedbg's dialog.
        wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        # Without a window manager, hiding a managed window waits two seconds for one to answer;
        # Wine manages its windows itself instead.
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
        wineserver -w
        touch "$ready"
    fi
    # A wineserver left running from an earlier run keeps serving; -p then says so and fails.
    wineserver -p 2>/dev/null || true
    # Wine's helper processes (services, the desktop window) outlive the program that started
    # them; start them here, so they do not hold ctest's output pipe open after a test ends.
    wine cmd /c exit 0 </dev/null >/dev/null 2>&1
}

wine_stop() {
    [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
}

# ---- Display: the one given, or a private Xvfb ----

# ensure_display: starts Xvfb on a free display when none is given.
VARNEL_XVFB_PID=
ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local fifo n=
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    VARNEL_XVFB_PID=$!
    read -r n <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$n" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=:$n
    log "started Xvfb on $DISPLAY"
}

stop_display() {
    [ -z "$VARNEL_XVFB_PID" ] || kill "$VARNEL_XVFB_PID" 2>/dev/null || true
    VARNEL_XVFB_PID=
}

# stop_on_exit [COMMAND]: however a script ends, whichever step failed, runs COMMAND and ends
# what it started (Wine, PulseAudio, Xvfb), each even when another step fails.
stop_on_exit() {
    trap "set +e; ${1:-:}; wine_stop; stop_pulse; stop_display" EXIT
}

# ---- Demo: the installation that scripts/run shows and scripts/bench starts Varnel on ----

# Null sinks of a private PulseAudio server: Wine lists each as a wave output device named
# after its description.
WAVE_DEVICES=("SW1000 #1 WAVE OUT" "SW1000 #2 WAVE OUT" "SB16 WAVE 出力")
UNINSTALL_KEY='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\YAMAHA XGworks Ver.'

PULSE_DIR=$VARNEL_BUILD/pulse

# start_pulse: a private PulseAudio server with the demo's wave devices, for the Wine
# programs started after it; stop_pulse ends it.
VARNEL_PULSE_STARTED=
start_pulse() {
    export PULSE_SERVER=unix:$PULSE_DIR/native
    mkdir -p "$PULSE_DIR/config"
    chmod 700 "$PULSE_DIR"
    VARNEL_PULSE_STARTED=1
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

# A script that did not start PulseAudio leaves alone the one another script runs for the same
# build folder.
stop_pulse() {
    [ -z "$VARNEL_PULSE_STARTED" ] ||
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
