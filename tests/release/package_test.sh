#!/usr/bin/env bash
# The release package: tools/package.sh builds it, and an unattended install runs from its
# unpacked copy into a fresh game folder. Run by ctest (test Release.PackageInstall).
#   tests/release/package_test.sh <cmake build folder>
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
CMAKE_DIR=${1:?usage: package_test.sh <cmake build folder>}
export BUILD_DIR=${BUILD_DIR:-$(cd "$CMAKE_DIR/.." && pwd)}
BIN=$CMAKE_DIR/bin
WINE=${WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
export WINE

failures=0
check() {  # check <description> <command...>
  local what=$1; shift
  if "$@"; then echo "ok:   $what"; else echo "FAIL: $what"; failures=$((failures + 1)); fi
}

WORK=$(mktemp -d "$BUILD_DIR/package-test.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

ZIP=$WORK/out/VelkSetup-test.zip
"$ROOT/tools/package.sh" "" "$ZIP" >/dev/null 2>"$WORK/package.log" || { cat "$WORK/package.log"; exit 1; }
check "the package exists" test -s "$ZIP"

VERSION=$(sed -n 's/^project(VelkSetup VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
LISTING=$("$WINE" "$BIN/7z.exe" l -ba -slt "$(winpath "$ZIP")" </dev/null | tr -d '\r' | sed -n 's/^Path = //p' | sort)
EXPECTED=$(printf '%s\n' "VelkSetup-$VERSION" "VelkSetup-$VERSION\\7z.exe" "VelkSetup-$VERSION\\README.txt" \
  "VelkSetup-$VERSION\\VelkSetup.exe" "VelkSetup-$VERSION\\mapfiles.7z" "VelkSetup-$VERSION\\modfiles.7z" \
  "VelkSetup-$VERSION\\7-Zip-NOTICE.txt" "VelkSetup-$VERSION\\LGPL-2.1.txt" | sort)
check "the package holds the program, the archiver with its notice and licence, both archives and the read-me" \
  test "$LISTING" = "$EXPECTED"

mkdir -p "$WORK/unpacked"
(cd "$WORK/unpacked" && "$WINE" "$BIN/7z.exe" x -y "$(winpath "$ZIP")" </dev/null >/dev/null)
APP=$WORK/unpacked/VelkSetup-$VERSION
check "the program is the one built" cmp -s "$APP/VelkSetup.exe" "$BIN/VelkSetup.exe"
check "the read-me has CR LF line ends" grep -q $'\r$' "$APP/README.txt"
check "the notice names 7-Zip's version, its author and the LGPL" \
  grep -q "7-Zip (a) 21.07.*Igor Pavlov" "$APP/7-Zip-NOTICE.txt"
check "the notice says where 7-Zip's source is published" grep -q "https://www.7-zip.org/" "$APP/7-Zip-NOTICE.txt"
check "the LGPL text is the licence's" grep -q "GNU LESSER GENERAL PUBLIC LICENSE" "$APP/LGPL-2.1.txt"
check "the read-me names the notice and the licence" grep -q "7-Zip-NOTICE.txt.*" "$APP/README.txt"

tops() { "$WINE" "$BIN/7z.exe" l -ba -slt "$(winpath "$1")" </dev/null | tr -d '\r' | sed -n 's/^Path = //p' | sed 's/\\.*//' | sort -u; }
check "modfiles.7z has the top folder VELK_Av8" test "$(tops "$APP/modfiles.7z")" = "VELK_Av8"
check "mapfiles.7z has the top folder Temp" test "$(tops "$APP/mapfiles.7z")" = "Temp"

"$WINE" "$BIN/make_kit_folders.exe" game "$(winpath "$WORK")" "Far Cry" Archive Boat Dam </dev/null
GAME=$WORK/Far\ Cry
set +e
(cd "$APP" && "$WINE" "$APP/VelkSetup.exe" /S "/D=$(winpath "$GAME")" /LANG=en \
  </dev/null >"$WORK/stdout.txt" 2>"$WORK/stderr.txt")
rc=$?
set -e
check "the unattended install from the package ends with exit code 0 (got $rc)" test "$rc" = 0
for level in Archive Boat Dam; do
  check "$level has levelvelk.pak" test -s "$GAME/Levels/$level/levelvelk.pak"
done
check "the mod folder holds ModDesc.txt" test -f "$GAME/Mods/VELK_Av8/ModDesc.txt"
check "the run log holds Finished creating!" grep -q 'Finished creating!' "$GAME/velk.log"
# Wine's own notes (lines starting with "wine: ") are not the program's.
check "no message went to the error output" test -z "$(grep -v '^wine: ' "$WORK/stderr.txt" || true)"
check "the summary went to the output" grep -q 'Level updated:' "$WORK/stdout.txt"
check "the unattended run removes nothing from the package" test -f "$APP/VelkSetup.exe" -a -f "$APP/modfiles.7z"

if [ "$failures" -ne 0 ]; then
  echo "--- stdout"; cat "$WORK/stdout.txt"; echo "--- stderr"; cat "$WORK/stderr.txt"
  echo "--- velk.log"; cat "$GAME/velk.log" 2>/dev/null || true
  exit 1
fi
