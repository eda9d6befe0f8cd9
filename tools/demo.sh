#!/usr/bin/env bash
# ./run demo: builds a demo game folder and payload under $BUILD_DIR/demo, remembers the game
# folder and starts the wizard from its own folder, so that it opens on page 1.
# Run it through ./run demo, which builds everything and exports WINEPREFIX, WINE, WINESERVER
# and the rest. Without a display it runs the wizard unattended and fails when that fails.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BIN=$BUILD_DIR/cmake/bin
DEMO=$BUILD_DIR/demo
WINE=${WINE:-wine64}
WINESERVER=${WINESERVER:-wineserver}

say() { printf '[demo] %s\n' "$*" >&2; }

for program in VelkSetup.exe make_fixture.exe 7z.exe; do
  [ -f "$BIN/$program" ] || { say "missing $BIN/$program: the build did not finish"; exit 1; }
done

# Without a display the window cannot open: show what the wizard does without one instead.
run_unattended() {
  local app=$1 game=$2
  local app_dir game_dir before after
  app_dir=$("$WINE" winepath -u "$app" 2>/dev/null | tr -d '\r')
  game_dir=$("$WINE" winepath -u "$game" 2>/dev/null | tr -d '\r')
  # Every file of the game folder with its checksum, to tell what the run changed.
  snapshot() { (cd "$game_dir" && find . -type f ! -name velk.log -print0 | sort -z | xargs -0 md5sum); }
  before=$(snapshot)
  say "running the wizard unattended instead: VelkSetup.exe /S /D=\"$game\""
  local rc=0 errors
  errors=$(mktemp)
  (cd "$app_dir" && "$WINE" VelkSetup.exe /S "/D=$game" </dev/null 2>"$errors") || rc=$?
  say "exit code $rc (the codes: VelkSetup.exe /? or the README)"
  # An ordinary run has nothing to say on its error output; whatever is there is shown.
  if [ -s "$errors" ]; then
    say "the error output held:"
    sed 's/^/    /' "$errors" >&2
    ((rc != 0)) || rc=1
  fi
  rm -f "$errors"
  after=$(snapshot)
  say "the run log $game\\velk.log:"
  tr -d '\r' < "$game_dir/velk.log" | sed 's/^/    /' >&2
  say "what changed in the game folder:"
  # md5sum lines: 32 hex digits, two blanks, the path from the 35th character on.
  awk 'NR == FNR { old[substr($0, 35)] = substr($0, 1, 32); next }
       { path = substr($0, 35)
         if (!(path in old)) print "    added    " path
         else if (old[path] != substr($0, 1, 32)) print "    changed  " path
         delete old[path] }
       END { for (path in old) print "    removed  " path }' \
    <(printf '%s\n' "$before") <(printf '%s\n' "$after") | sort -k2 >&2
  return "$rc"
}

"$WINESERVER" -p </dev/null >/dev/null 2>&1 || true
rm -rf "$DEMO"
mkdir -p "$DEMO"
parent=$("$WINE" winepath -w "$DEMO" 2>/dev/null | tr -d '\r')
say "making a game folder and the payload in $DEMO"
mapfile -t paths < <("$WINE" "$BIN/make_fixture.exe" "$parent" "Far Cry" "VelkSetup" | tr -d '\r')
[ "${#paths[@]}" -eq 2 ] || { say "make_fixture.exe failed"; exit 1; }
game=${paths[0]}
app=${paths[1]}
app_unix=$("$WINE" winepath -u "$app" 2>/dev/null | tr -d '\r')
cp "$BIN/VelkSetup.exe" "$app_unix/VelkSetup.exe"
"$WINE" reg add 'HKCU\Software\VB and VBA Program Settings\VELK-Installer\Settings' \
  /v FCDir /t REG_SZ /d "$game" /f >/dev/null 2>&1
say "game folder: $game"
say "wizard:      $app\\VelkSetup.exe"

if [ -z "${DISPLAY:-}" ]; then
  say "there is no display (\$DISPLAY is empty), so the wizard window cannot open"
  run_unattended "$app" "$game"
  exit $?
fi
say "starting the wizard; it opens on page 1 with the game folder above"
cd "$app_unix"
exec "$WINE" VelkSetup.exe
