#!/usr/bin/env bash
# Installs the .deb into a fresh Debian root and uses it there as a new user would: start the
# installed program from /usr/bin as an ordinary user under Xvfb, add a manufacturer through
# the menus, save, start again, check the manufacturer is back and take a screenshot.
#
#   sudo scripts/check-deb-install.sh build/kestrova_1.02_amd64.deb [ROOT] [SHOT.png]
#
# ROOT (default build/deb-root) is made with debootstrap the first time and reused after;
# remove it for a truly fresh start. Needs root (debootstrap, chroot) and the network.
set -euo pipefail

deb=$(realpath "${1:?usage: $0 PACKAGE.deb [ROOT] [SHOT.png]}")
root=$(realpath -m "${2:-build/deb-root}")
shot=$(realpath -m "${3:-build/screenshots/installed-package.png}")
user=ann
name="Kestrel Works"
[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap and chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null || apt-get install -y -qq debootstrap

if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "== debootstrap bookworm into $root"
  debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT
for fs in proc sys dev dev/pts; do
  mount --bind "/$fs" "$root/$fs"
  mounted+=("$root/$fs")
done
# A desktop session's shared memory, which the web engine needs (the host's may be closed).
mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
mounted+=("$root/dev/shm")
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"; }
as_user() {
  chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin HOME=/home/$user USER=$user \
    DISPLAY=:7 XDG_RUNTIME_DIR=/tmp/runtime-$user QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu \
    /usr/sbin/runuser -u $user -- "$@"
}
screenshot() {
  in_root sh -c "xwd -root -silent -display :7 | xwdtopnm 2>/dev/null | pnmtopng > /tmp/shot.png" &&
    mkdir -p "$(dirname "$1")" && cp "$root/tmp/shot.png" "$1"
}
# Polls a condition instead of sleeping a guessed time; fails naming what did not happen.
wait_for() {
  local what=$1; shift
  for _ in $(seq 1 600); do "$@" >/dev/null 2>&1 && return 0; sleep 0.2; done
  echo "gave up waiting for: $what" >&2
  # What the screen showed then, to see why.
  screenshot "${shot%.png}-failed.png" && echo "screen: ${shot%.png}-failed.png" >&2
  return 1
}

echo "== install the package and what the check drives the window with"
cp "$deb" "$root/tmp/kestrova.deb"
in_root apt-get update -qq
DEBIAN_FRONTEND=noninteractive in_root apt-get install -y -qq --no-install-recommends \
  /tmp/kestrova.deb xvfb xauth xdotool x11-apps netpbm fonts-dejavu-core >/dev/null
in_root dpkg -s kestrova | grep -E '^(Version|Maintainer):'
in_root ls -l /usr/share/doc/kestrova/
id -u $user >/dev/null 2>&1 || in_root useradd -m $user 2>/dev/null || true
in_root rm -rf /home/$user/.local/share/kestrova
in_root install -d -m 700 -o $user /tmp/runtime-$user

echo "== Xvfb"
in_root Xvfb :7 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; cleanup' EXIT
wait_for "the X server" as_user xdotool getmouselocation

# The program's own process id, for stopping exactly it (runuser stays in between).
start_kestrova() {
  as_user sh -c 'echo $$ > /tmp/kestrova.pid; exec kestrova' >"$root/tmp/kestrova-$1.log" 2>&1 &
  wait_for "the program to start" test -s "$root/tmp/kestrova.pid"
  wait_for "the main window" as_user xdotool search --onlyvisible --name '^Kestrova$'
  window=$(as_user xdotool search --onlyvisible --name '^Kestrova$' | head -1)
  eval "$(as_user xdotool getwindowgeometry --shell "$window")"
  # Without a window manager nobody gives the window the keyboard.
  as_user xdotool windowfocus --sync "$window"
  settle
}
settle() { wait_for "the screen to settle (two equal frames)" screen_settled; }
stop_kestrova() {
  local pid
  pid=$(cat "$root/tmp/kestrova.pid")
  rm -f "$root/tmp/kestrova.pid"
  kill "$pid"
  wait_for "the program to end" sh -c "! kill -0 $pid"
}
screen_settled() {
  in_root sh -c "xwd -root -silent -display :7 > /tmp/kestrova.next.xwd"
  if cmp -s "$root/tmp/kestrova.next.xwd" "$root/tmp/kestrova.xwd"; then return 0; fi
  mv "$root/tmp/kestrova.next.xwd" "$root/tmp/kestrova.xwd"
  return 1
}
# "Lists" is the first menu: a click on the left end of the menu bar opens it.
open_lists_menu() {
  as_user xdotool mousemove $((X + 14)) $((Y + 10)) click 1
  settle
}
catalog_has_name() { as_user kestrova-cli catalog | grep -q "^\[Manufacturer\]$name"; }

echo "== first start as $user: add \"$name\" and save"
start_kestrova 1
open_lists_menu
as_user xdotool key Down Down Right # Lists > Manufacturers >
settle
as_user xdotool key Return # Add
wait_for "the name box" as_user xdotool search --onlyvisible --name '^New Manufacturer$'
as_user xdotool type --delay 20 "$name"
as_user xdotool key Return
open_lists_menu
as_user xdotool key Down Return # Lists > Save
wait_for "DATA.txt with the new manufacturer" catalog_has_name
as_user xdotool key Return # the "Saved" box
stop_kestrova

echo "== files of the user"
in_root find /home/$user/.local/share/kestrova -maxdepth 2 | sort
echo "== nothing written into /opt/kestrova:"
in_root find /opt/kestrova -newer /tmp/kestrova.deb -type f | sed 's/^/  written: /'

echo "== second start: the manufacturer is back"
start_kestrova 2
wait_for "the manufacturer in the list" catalog_has_name
as_user kestrova-cli catalog
settle
screenshot "$shot"
echo "screenshot: $shot"
stop_kestrova
echo "== start-up messages of the two runs"
cat "$root/tmp/kestrova-1.log" "$root/tmp/kestrova-2.log"
echo "== remove the package"
DEBIAN_FRONTEND=noninteractive in_root apt-get remove -y -qq kestrova 2>&1 | grep -i -E 'warn|kestrova' || true
in_root ls -d /opt /home/$user/.local/share/kestrova/DATA.txt
echo "OK"
