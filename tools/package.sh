#!/usr/bin/env bash
# Builds the Debian package velmora_<version>_<arch>.deb from a clean Release tree with CPack,
# and checks it as a user would meet it:
#   1. its contents: programs, data, desktop entry, file types, AppStream data, manual pages,
#      copyright, changelog, and the icon at every size of the hicolor theme;
#   2. lintian reports no error;
#   3. on a fresh Debian 12 root (debootstrap --variant=minbase bookworm, entered with chroot):
#      `apt-get install ./velmora_*.deb`, the file types and the menu entry as the MIME and
#      menu databases of a desktop take them in, both programs' --version, `velmora --screenshot`
#      from the installed files, the desktop entry's Exec command in an X server (Xvfb with
#      openbox) closed again with Alt+F4, then `apt-get purge`, which must leave the user's
#      working folder as it was.
#
# tools/package.sh [--out DIR] [--mirror URL] [--debs-tarball FILE] [--no-root] [--keep-root]
#   --out DIR            build tree and results (default build-package); it is emptied first
#   --mirror URL         Debian mirror for the fresh root (default: this machine's apt source)
#   --debs-tarball FILE  the fresh root's packages from FILE (made by debootstrap
#                        --make-tarball) instead of the mirror; the root is new all the same
#   --no-root            stop after lintian (no fresh root)
#   --keep-root          leave the fresh root in DIR/bookworm-root
# Runs as root (debootstrap and chroot need it); installs the Debian packages it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
src=$PWD

out=build-package mirror="" debsTarball="" root=yes keepRoot=no
while [ $# -gt 0 ]; do
    case "$1" in
        --out) out=$2; shift 2 ;;
        --mirror) mirror=$2; shift 2 ;;
        --debs-tarball) debsTarball=$(realpath "$2"); shift 2 ;;
        --no-root) root=no; shift ;;
        --keep-root) keepRoot=yes; shift ;;
        *) sed -n '2,/^set -euo/p' "$0" | sed '$d' >&2; exit 2 ;;
    esac
done
[ "$(id -u)" -eq 0 ] || { echo "package.sh: run as root (debootstrap, chroot)" >&2; exit 2; }

step() { printf '\n== %s\n' "$*"; }
fail() { echo "package.sh: $*" >&2; exit 1; }

step "Debian packages for the build and the checks"
tools/dev.sh deps
tools=(dpkg-dev fakeroot lintian debootstrap librsvg2-bin desktop-file-utils appstream
    xvfb xdotool openbox)
missing=()
for p in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

step "Release build in $out (clean)"
case "$(realpath -m "$out")" in
    / | "$src" | "$HOME") fail "--out $out would empty $(realpath -m "$out")" ;;
esac
rm -rf "$out"
mkdir -p "$out"
out=$(realpath "$out")
# Debian's flags, as a Debian build uses them: -O2 and all the hardening options (the
# Release type adds only NDEBUG).
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
LDFLAGS="$(dpkg-buildflags --get LDFLAGS) ${LDFLAGS:-}" \
    cmake -S "$src" -B "$out/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE=-DNDEBUG -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF
cmake --build "$out/build" -j "$(nproc)"
(cd "$out/build" && cpack -G DEB)
deb=$(ls "$out"/build/velmora_*.deb)
mv "$deb" "$out/"
deb=$out/$(basename "$deb")
version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "velmora_${version}_$(dpkg --print-architecture).deb" ] ||
    fail "unexpected file name $(basename "$deb")"
echo "$deb"
dpkg-deb -f "$deb"

step "Contents"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' > "$out/contents.txt"
for f in /usr/bin/velmora /usr/bin/velmora-cli /usr/share/velmora/sample.exv \
    /usr/share/velmora/cldata/kamoku1.dat /usr/share/velmora/help/velmora/index.html \
    /usr/share/applications/velmora.desktop /usr/share/mime/packages/velmora.xml \
    /usr/share/man/man1/velmora.1.gz /usr/share/man/man1/velmora-cli.1.gz \
    /usr/share/doc/velmora/copyright /usr/share/doc/velmora/changelog.gz \
    /usr/share/icons/hicolor/scalable/apps/velmora.svg; do
    grep -qx "$f" "$out/contents.txt" || fail "$f is not in the package"
done
grep -q '^/usr/share/metainfo/.*\.metainfo\.xml$' "$out/contents.txt" || fail "no AppStream data"
# Every size folder for applications of the hicolor theme has the icon.
for dir in $(sed -n 's/^Directories=//p' /usr/share/icons/hicolor/index.theme | tr , '\n' |
    grep -E '^[0-9]+x[0-9]+(@2)?/apps$'); do
    grep -qx "/usr/share/icons/hicolor/$dir/velmora.png" "$out/contents.txt" ||
        fail "no icon in hicolor/$dir"
done
echo "$(wc -l < "$out/contents.txt") entries; icons: $(grep -c 'hicolor/.*/velmora\.png$' "$out/contents.txt") PNG sizes and the SVG"
if dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/bin | grep -qaF "$src/data"; then
    fail "a program names the source tree's data/"
fi
dpkg-deb -f "$deb" Depends

step "lintian"
lintian --fail-on error "$deb" 2>&1 | tee "$out/lintian.txt"
echo "lintian: $(grep -c '^E:' "$out/lintian.txt" || true) errors, $(grep -c '^W:' "$out/lintian.txt" || true) warnings"

[ "$root" = yes ] || exit 0

step "Fresh Debian 12 root"
rootDir=$out/bookworm-root
if [ -z "$mirror" ]; then
    mirror=$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -1)
    mirror=${mirror:-http://deb.debian.org/debian}
fi
xvfbPid=""
cleanup() {
    [ -n "$xvfbPid" ] && kill "$xvfbPid" 2> /dev/null || true
    for m in tmp/.X11-unix dev/pts dev proc; do
        mountpoint -q "$rootDir/$m" 2> /dev/null && umount -l "$rootDir/$m"
    done
    [ "$keepRoot" = yes ] || rm -rf "$rootDir"
}
trap cleanup EXIT
if [ -n "$debsTarball" ]; then
    debootstrap --variant=minbase --unpack-tarball="$debsTarball" bookworm "$rootDir" "$mirror"
else
    debootstrap --variant=minbase bookworm "$rootDir" "$mirror"
fi
mount -t proc proc "$rootDir/proc"
mount --bind /dev "$rootDir/dev"
mount --bind /dev/pts "$rootDir/dev/pts"
cp /etc/resolv.conf "$rootDir/etc/resolv.conf"
echo "deb $mirror bookworm main" > "$rootDir/etc/apt/sources.list"
# The host's apt settings for reaching the mirror (proxies, snapshot dates), nothing else.
for f in /etc/apt/apt.conf.d/*; do
    if grep -qiE 'proxy|Check-Valid-Until|Check-Date' "$f"; then cp "$f" "$rootDir/etc/apt/apt.conf.d/"; fi
done
in_root() { chroot "$rootDir" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
as_user() {
    chroot --userspec=taro:taro "$rootDir" /usr/bin/env -i PATH=/usr/bin:/bin LANG=C.UTF-8 \
        HOME=/home/taro "$@"
}
echo "Debian $(cat "$rootDir/etc/debian_version"), $(in_root dpkg-query -W | wc -l) packages"

step "apt-get install ./$(basename "$deb")"
cp "$deb" "$rootDir/tmp/"
in_root apt-get update -q
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "./tmp/$(basename "$deb")" \
    2>&1 | tee "$out/install.log" | grep -E '^(Setting up (velmora|fonts-|qt6-trans|libqt6svg)|[0-9]+ upgraded)|^E:'
in_root dpkg-query -W velmora
in_root useradd -m taro

step "File types and menu entry, as a desktop's MIME and menu databases see them"
# A desktop has these two; their triggers build the databases from what packages installed.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    shared-mime-info desktop-file-utils > /dev/null
for type in x-velmora-ledger x-velmora-ledger-old; do
    (cd "$rootDir" && grep -H '<glob' "usr/share/mime/application/$type.xml") ||
        fail "the MIME database has no application/$type"
done
(cd "$rootDir" && grep -H velmora usr/share/applications/mimeinfo.cache) ||
    fail "the menu database does not open ledgers with velmora.desktop"

step "The installed programs"
as_user velmora --version
as_user velmora-cli --version
[ "$(as_user velmora --version)" = "velmora $version" ] || fail "velmora --version"
[ "$(as_user velmora-cli --version)" = "velmora-cli $version" ] || fail "velmora-cli --version"
as_user cp /usr/share/velmora/sample.exv /home/taro/sample.exv
as_user velmora-cli --today 2024/04/10 books /home/taro/sample.exv
as_user velmora --today 2024/04/10 --screenshot /home/taro/screenshot.png /home/taro/sample.exv
cp "$rootDir/home/taro/screenshot.png" "$out/installed-screenshot.png"
echo "screenshot: $out/installed-screenshot.png"
work=/home/taro/.local/share/tessary/velmora_xe5
[ -f "$rootDir$work/cldata/kamoku1.dat" ] || fail "the working folder was not filled"

step "The desktop entry's command"
execLine=$(sed -n 's/^Exec=//p' "$rootDir/usr/share/applications/velmora.desktop")
# The file the user opened stands for %f; the desktop drops the other field codes here.
command=$(sed -e 's|%f|/home/taro/sample.exv|' -e 's/%[A-Za-z]//g' <<< "$execLine")
echo "Exec=$execLine -> $command"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp &
xvfbPid=$!
for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
mkdir -p "$rootDir/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$rootDir/tmp/.X11-unix"
DISPLAY=$display openbox > /dev/null 2>&1 &
openboxPid=$!
# shellcheck disable=SC2086  # the command is split into words as the desktop splits Exec
chroot --userspec=taro:taro "$rootDir" /usr/bin/env -i PATH=/usr/bin:/bin LANG=C.UTF-8 \
    HOME=/home/taro DISPLAY="$display" $command &
programPid=$!
window=$(DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --name 'Velmora' | head -1)
[ -n "$window" ] || fail "no window of the desktop entry's command"
echo "window $window: $(DISPLAY=$display xdotool getwindowname "$window")"
# openbox has taken the window in hand once it names an active window.
for _ in $(seq 100); do DISPLAY=$display xdotool getactivewindow > /dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display xdotool windowactivate --sync "$window" key alt+F4
timeout 60 tail --pid="$programPid" -f /dev/null || fail "the program did not close on Alt+F4"
wait "$programPid" || fail "the program ended with status $?"
echo "closed with status 0"
kill "$openboxPid" 2> /dev/null || true

step "apt-get purge velmora"
(cd "$rootDir/home/taro" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$out/home-before.txt"
in_root env DEBIAN_FRONTEND=noninteractive apt-get purge -y -q velmora 2>&1 |
    grep -E '^(Purging|Removing) velmora|^E:'
(cd "$rootDir/home/taro" && find . -type f -print0 | sort -z | xargs -0 sha256sum) > "$out/home-after.txt"
[ ! -e "$rootDir/usr/bin/velmora" ] && [ ! -e "$rootDir/usr/share/velmora" ] ||
    fail "the package left its files"
in_root dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' velmora 2>&1 | grep -q '^[ip]' &&
    fail "dpkg still knows velmora"
echo "dpkg: velmora not installed; /usr/bin/velmora and /usr/share/velmora are gone"
cmp "$out/home-before.txt" "$out/home-after.txt" || fail "the purge changed the user's files"
echo "working folder untouched: $(grep -c "velmora_xe5/" "$out/home-after.txt") files in $work, same bytes"
step "Done: $deb"
