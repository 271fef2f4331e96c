#!/usr/bin/env bash
# Builds the .deb, checks it with lintian, installs it with dpkg, checks the
# installed desktop entry and metainfo, starts the game through the desktop
# entry's Exec line from $HOME under Xvfb, sees the title screen, and removes
# the package again. Needs root. Usage: test_deb.sh BUILD_DIR
source "$(dirname "$0")/../e2e/lib.sh"
build=$(realpath "$1")

(cd "$build" && rm -f tulka_*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tulka_*.deb)
echo "== lintian"
lintian --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' || true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian reports errors or warnings"
depends=$(dpkg-deb -f "$deb" Depends)
[[ "$depends" == *liballegro4.4* ]] || fail "the package does not depend on liballegro4.4"
if [[ "$depends" == *-dev* ]]; then
  fail "the package depends on a build package"
fi

echo "== install"
dpkg -i "$deb" >/dev/null
trap 'dpkg -r tulka >/dev/null 2>&1 || true; e2e_cleanup' EXIT
desktop=/usr/share/applications/tulka.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net /usr/share/metainfo/io.tulka.Tulka.metainfo.xml || fail "appstreamcli validate"
for size in 48x48 256x256; do
  [[ -s /usr/share/icons/hicolor/$size/apps/tulka.png ]] || fail "no $size icon"
done
man -w 6 tulka >/dev/null || fail "no man page in section 6"

echo "== start from the desktop entry"
e2e_begin
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
(cd "$HOME" && exec setsid sh -c "exec $exec_line") >"$E2E_TMP/stdout" 2>"$E2E_TMP/stderr" &
GAME_PID=$!
wait_for_window
wait_for_colour 25 150 128 8 255,255,255 40
screenshot "$E2E_TMP/installed_title.png"
echo "the installed game shows its title screen"

kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null || true
GAME_PID=""
dpkg -r tulka >/dev/null
[[ ! -e /usr/games/tulka ]] || fail "the package did not remove cleanly"
echo PASS
