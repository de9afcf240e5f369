#!/usr/bin/env bash
# A small i386 Debian system in a folder, with 32-bit Wine, for running the
# 32-bit program where the kernel runs i386 programs. It needs nothing of
# the machine's own package set-up: no foreign architecture, no i386 index
# of the machine's archives, only Debian's main archive.
#
#   tools/i386-system.sh setup       make it, unless it is there (as root);
#                                    on failure the last line out says why
#   tools/i386-system.sh ready       exit 0 when it is there
#   tools/i386-system.sh run CMD...  run CMD in it, with this project, /tmp
#                                    (the X display) and the environment
#
# VANTREL_I386_ROOT names the folder (default: /var/cache/vantrel/i386, kept
# outside the checkout so that fresh clones on this machine share it);
# VANTREL_DEBIAN_MIRROR the archive (default: http://deb.debian.org/debian).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
system=${VANTREL_I386_ROOT:-/var/cache/vantrel/i386}
mirror=${VANTREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
ready_mark=$system/.vantrel-ready

setup() {
  [ -f "$ready_mark" ] && return 0
  command -v debootstrap >/dev/null ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends debootstrap \
      >/dev/null 2>&1 || true
  command -v debootstrap >/dev/null || { echo "debootstrap cannot be installed"; return 1; }
  # Debian's release of this machine, so that both Wines are the same.
  local suite
  suite=$(. /etc/os-release 2>/dev/null && echo "${VERSION_CODENAME:-}")
  suite=${suite:-bookworm}
  # Made beside its place and moved there whole, so that a folder that is
  # there is complete.
  local draft=$system.draft log=$system.log
  rm -rf "$draft"
  mkdir -p "$(dirname "$system")"
  echo "Making an i386 $suite system with 32-bit Wine in $system (a few minutes, once)" >&2
  if ! debootstrap --arch=i386 --variant=minbase --include=wine,wine32,fonts-wine \
    "$suite" "$draft" "$mirror" >"$log" 2>&1; then
    grep -E '^(E|W):' "$log" | tail -n 1 | sed 's/^[EW]: //'
    rm -rf "$draft"
    return 1
  fi
  rm -rf "$draft"/var/cache/apt/archives/*.deb "$system"
  mv "$draft" "$system"
  touch "$ready_mark"
}

run() {
  [ -f "$ready_mark" ] || { echo "no i386 system in $system: run tools/install-deps.sh" >&2; exit 1; }
  # Mounts made in a mount namespace of its own end with the command.
  exec unshare --mount --propagation private -- "$0" enter "$@"
}

enter() {
  mount -t proc proc "$system/proc"
  local dir
  for dir in /dev /sys /tmp "$here"; do
    mkdir -p "$system$dir"
    mount --rbind "$dir" "$system$dir"
  done
  # In the same folder as outside, where it is there.
  exec chroot "$system" /bin/sh -c 'cd "$0" 2>/dev/null || cd /; exec "$@"' "$PWD" "$@"
}

case ${1:-} in
  setup) setup ;;
  ready) [ -f "$ready_mark" ] ;;
  run | enter)
    command=$1
    shift
    "$command" "$@"
    ;;
  *)
    echo "usage: $0 setup|ready|run CMD..." >&2
    exit 2
    ;;
esac
