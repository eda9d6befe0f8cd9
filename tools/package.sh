#!/usr/bin/env bash
# Builds the release package $BUILD_DIR/VelkSetup-<version>.zip:
#   VelkSetup-<version>/VelkSetup.exe, 7z.exe, modfiles.7z, mapfiles.7z, README.txt,
#   7-Zip-NOTICE.txt and LGPL-2.1.txt (7z.exe's notice and licence)
# Usage: tools/package.sh [content folder] [output zip]
# The content folder is laid out as the payload unpacks: VELK_Av8\... (the mod's files) and
# Temp\<Level>\... (the maps). Without one, the demo content of the test kit is used.
# Run through ./run package, which builds the program and sets up Wine (WINEPREFIX, WINE).
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BIN=$BUILD_DIR/cmake/bin
WINE=${WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}

log() { printf '[package] %s\n' "$*" >&2; }
die() { log "$*"; exit 1; }

VERSION=$(sed -n 's/^project(VelkSetup VERSION \([0-9.]*\).*/\1/p' "$ROOT/CMakeLists.txt")
[ -n "$VERSION" ] || die "no project VERSION in CMakeLists.txt"
NAME=VelkSetup-$VERSION
OUT=${2:-$BUILD_DIR/$NAME.zip}

for f in VelkSetup.exe 7z.exe; do [ -f "$BIN/$f" ] || die "$BIN/$f is missing: build first (./run build)"; done

WORK=$(mktemp -d "$BUILD_DIR/package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# The real 7-Zip, run in folder $1 with the remaining arguments; quiet unless it fails.
seven() {
  local dir=$1; shift
  local output
  if ! output=$(cd "$dir" && "$WINE" "$BIN/7z.exe" "$@" </dev/null 2>&1); then
    printf '%s\n' "$output" >&2
    die "7-Zip failed: $*"
  fi
}

CONTENT=${1:-}
if [ -z "$CONTENT" ]; then
  [ -f "$BIN/make_kit_folders.exe" ] || die "$BIN/make_kit_folders.exe is missing: build the test programs"
  CONTENT=$WORK/content
  mkdir -p "$CONTENT"
  log "writing the demo content"
  "$WINE" "$BIN/make_kit_folders.exe" content "$(winpath "$CONTENT")" </dev/null \
    || die "make_kit_folders failed"
fi
CONTENT=$(cd "$CONTENT" && pwd)
[ -d "$CONTENT/VELK_Av8" ] || die "$CONTENT has no VELK_Av8 folder"
[ -d "$CONTENT/Temp" ] || die "$CONTENT has no Temp folder"

STAGE=$WORK/$NAME
mkdir -p "$STAGE"
log "packing modfiles.7z and mapfiles.7z from $CONTENT"
# Run inside the content folder: the archives' top folders are VELK_Av8 and Temp.
seven "$CONTENT" a -t7z -mx=9 -y "$(winpath "$STAGE")\\modfiles.7z" VELK_Av8
seven "$CONTENT" a -t7z -mx=9 -y "$(winpath "$STAGE")\\mapfiles.7z" Temp
cp "$BIN/VelkSetup.exe" "$BIN/7z.exe" "$STAGE/"
# 7z.exe is 7-Zip's console archiver under the GNU LGPL: its notice and the licence go with
# it. The version line is the one the program itself prints.
BANNER=$("$WINE" "$BIN/7z.exe" i </dev/null 2>/dev/null | tr -d '\r' | grep -m1 '^7-Zip') \
  || die "7z.exe printed no version line"
LGPL=/usr/share/common-licenses/LGPL-2.1
[ -f "$LGPL" ] || die "$LGPL is missing (Debian's base-files ships it)"
cat > "$STAGE/7-Zip-NOTICE.txt" <<NOTICE
7z.exe in this folder is the 7-Zip console archiver (7za.exe), unmodified:

  $BANNER

7-Zip is written by Igor Pavlov. This program is free software; you can
redistribute it and/or modify it under the terms of the GNU Lesser General
Public License as published by the Free Software Foundation; either version
2.1 of the License, or (at your option) any later version. It is distributed
WITHOUT ANY WARRANTY; see LGPL-2.1.txt in this folder for the licence text.

The source code of 7-Zip is published at https://www.7-zip.org/ and
https://sourceforge.net/projects/sevenzip/files/ (version $(awk '{ print $3 }' <<<"$BANNER") among them).
This copy comes from the npm package 7zip-bin $(sed -n 's/.*"version": *"\([^"]*\)".*/\1/p' "$ROOT/node_modules/7zip-bin/package.json" | head -n1).
NOTICE
cp "$LGPL" "$STAGE/LGPL-2.1.txt"
# Notepad wants CR LF.
for text in README.txt 7-Zip-NOTICE.txt LGPL-2.1.txt; do
  source=$STAGE/$text
  [ "$text" = README.txt ] && source=$ROOT/tools/README-players.txt
  sed 's/\r*$/\r/' "$source" > "$STAGE/$text.crlf" && mv "$STAGE/$text.crlf" "$STAGE/$text"
done

log "zipping $NAME"
rm -f "$OUT"
mkdir -p "$(dirname "$OUT")"
seven "$WORK" a -tzip -mx=9 -y "$(winpath "$WORK")\\package.zip" "$NAME"
mv "$WORK/package.zip" "$OUT"

log "done: $OUT ($(stat -c %s "$OUT") bytes)"
(cd "$STAGE" && ls -l VelkSetup.exe 7z.exe modfiles.7z mapfiles.7z README.txt 7-Zip-NOTICE.txt LGPL-2.1.txt) >&2
echo "$OUT"
