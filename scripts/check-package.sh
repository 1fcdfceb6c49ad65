#!/usr/bin/env bash
# Builds the Debian package, installs it into this machine's system, checks
# that both programs start from it, and removes it again.
#
# This changes the system (it installs and removes velmora-linetint and the
# packages it depends on), so CI does not run it. Run it as root or with sudo
# on a Debian 12 machine. The package is left in build-deb/.
set -euo pipefail
cd "$(dirname "$0")/.."

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"

scripts/setup.sh
# Making the package needs dpkg-shlibdeps (dpkg-dev) and file.
missing=()
for p in dpkg-dev file; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if dpkg-query -W -f='${Status}' velmora-linetint 2>/dev/null | grep -q "install ok installed"; then
  echo "velmora-linetint is installed already; remove it first (apt-get remove velmora-linetint)." >&2
  exit 1
fi

build=build-deb
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DLINETINT_TESTS=OFF -DLINETINT_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/velmora-linetint_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/velmora-linetint_*.deb)
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
dpkg-deb --contents "$deb" | awk '{print $6, $7, $8}'

work=$(mktemp -d)
installed=0
cleanup() {
  status=$?
  if [ "$installed" = 1 ]; then
    echo "== removing the package"
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get remove -y -qq velmora-linetint >/dev/null || status=1
    if [ -e /usr/bin/linetint ] || [ -e /usr/lib/velmora-linetint ]; then
      echo "FAIL: files left behind after removal" >&2
      status=1
    fi
  fi
  rm -rf "$work"
  if [ "$status" = 0 ]; then echo "== package check passed"; else echo "== package check FAILED" >&2; fi
  exit "$status"
}
trap cleanup EXIT

echo "== installing"
DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "$(realpath "$deb")" >/dev/null
installed=1

echo "== checking the installed files"
test -x /usr/bin/linetint-cli
test -L /usr/bin/linetint
test "$(readlink -f /usr/bin/linetint)" = /usr/lib/velmora-linetint/linetint
test -x /usr/lib/velmora-linetint/linetint
for lng in resources/lang/*.lng; do
  [ -e "$lng" ] || continue
  cmp "$lng" "/usr/lib/velmora-linetint/$(basename "$lng")"
done
test -f /usr/share/applications/velmora-linetint.desktop
test -f /usr/share/mime/packages/velmora-linetint.xml
test -f /usr/share/doc/velmora-linetint/manual/index.html
test -f /usr/share/doc/velmora-linetint/manual/shortcuts.html
for size in 16 22 24 32 48 64 128 256; do
  test -f "/usr/share/icons/hicolor/${size}x${size}/apps/velmora-linetint.png"
done
man -w linetint-cli >/dev/null 2>&1 || test -f /usr/share/man/man1/linetint-cli.1.gz

echo "== linetint-cli"
(cd "$work" && linetint-cli --help | head -n 3)
(cd "$work" && linetint-cli new -o depot.vmprj && linetint-cli info depot.vmprj | head -n 3)
(cd "$work" && linetint-cli csv-export depot.vmprj -o list.csv && linetint-cli csv-import depot.vmprj list.csv -o again.vmprj \
  && cmp depot.vmprj again.vmprj)

echo "== the editor (a few seconds, then stopped)"
run_editor() {
  # timeout's status 124 means the editor was still running: it started.
  set +e
  "$@" >"$work/editor.log" 2>&1
  local rc=$?
  set -e
  if [ "$rc" != 124 ]; then
    echo "FAIL: the editor ended by itself with status $rc" >&2
    cat "$work/editor.log" >&2
    return 1
  fi
  echo "started and ran until stopped"
}
if command -v xvfb-run >/dev/null; then
  run_editor xvfb-run -a -s "-screen 0 1600x1000x24" timeout 6 linetint
else
  QT_QPA_PLATFORM=offscreen run_editor timeout 6 linetint
fi
