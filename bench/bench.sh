#!/usr/bin/env bash
# Benchmark of an unattended install of 1, 5 and 20 levels against the bare archiver runs it
# issues. Run through ./run bench (which builds the program and sets up Wine). See README.md.
#   bench/bench.sh [level counts...]      default: 1 5 20
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
BIN=$BUILD_DIR/cmake/bin
WINE=${WINE:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
BENCH=$BUILD_DIR/bench
DATA=$BENCH/data
COUNTS=("$@")
((${#COUNTS[@]})) || COUNTS=(1 5 20)
STOCK=(Archive Boat Bunker Carrier Catacombs Control Cooler Dam Factory Fort Pier Rebellion
       Regulator Research River Steam Swamp Training Treehouse Volcano)

log() { printf '[bench] %s\n' "$*" >&2; }
winpath() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
seven() { local dir=$1; shift; (cd "$dir" && "$WINE" "$BIN/7z.exe" "$@" </dev/null >/dev/null); }

mkdir -p "$BENCH/tools"
log "building the measuring launcher and the replay runner"
CXX=x86_64-w64-mingw32-g++-posix
CXXFLAGS=(-std=c++20 -O2 -Wall -Wextra -static -DUNICODE -D_UNICODE -I"$ROOT/src")
$CXX "${CXXFLAGS[@]}" -o "$BENCH/tools/measure_run.exe" "$ROOT/bench/measure_run.cpp"
# The replay's batch mode runs the runner's own batch text and start: it links the support layer.
$CXX "${CXXFLAGS[@]}" -o "$BENCH/tools/archiver_replay.exe" "$ROOT/bench/archiver_replay.cpp" \
  -L"$BUILD_DIR/cmake" -lvelk_support -lcomctl32 -lshell32 -lole32 -loleaut32 -luuid -lshlwapi \
  -ladvapi32 -luser32 -lgdi32 -lgdiplus

max=0; for n in "${COUNTS[@]}"; do ((n > max)) && max=$n; done
log "source data for ${max} levels in $DATA (kept between runs)"
python3 "$ROOT/bench/make_bench_data.py" "$DATA" "${STOCK[@]:0:max}"
if [ ! -f "$DATA/modfiles.7z" ]; then
  seven "$DATA/mod" a -t7z -y "$(winpath "$DATA")\\modfiles.7z.part" VELK_Av8
  mv "$DATA/modfiles.7z.part" "$DATA/modfiles.7z"
fi

# A game folder with the first n stock levels; the stock archives are only read, so they
# are hard links to the data.
make_game() {
  local game=$1 n=$2
  rm -rf "$game"; mkdir -p "$game/Bin32" "$game/Mods"
  : > "$game/Bin32/FarCry.exe"
  for level in "${STOCK[@]:0:n}"; do
    mkdir -p "$game/Levels/$level"
    ln "$DATA/paks/$level.pak" "$game/Levels/$level/level.pak"
    printf -- '-- stock script of the level %s\r\n' "$level" > "$game/Levels/$level/$level.lua"
  done
}

# The payload folder with a map archive of the first n levels (packed once per n).
make_app() {
  local app=$1 n=$2
  local maps=$DATA/mapfiles-$n.7z
  if [ ! -f "$maps" ]; then
    local content=$BENCH/content-$n
    rm -rf "$content"; mkdir -p "$content/Temp"
    for level in "${STOCK[@]:0:n}"; do cp -al "$DATA/maps/$level" "$content/Temp/$level"; done
    seven "$content" a -t7z -y "$(winpath "$maps").part" Temp
    mv "$maps.part" "$maps"; rm -rf "$content"
  fi
  rm -rf "$app"; mkdir -p "$app"
  cp "$BIN/VelkSetup.exe" "$BIN/7z.exe" "$app/"
  cp "$DATA/modfiles.7z" "$app/modfiles.7z"
  cp "$maps" "$app/mapfiles.7z"
}

# What the install leaves behind, so that the next pass starts from the same state.
reset_run() {
  local game=$1 app=$2
  rm -rf "$app/Temp" "$game/Mods/VELK_Av8" "$game/velk.log"
  rm -f "$game"/Levels/*/levelvelk.pak "$game"/Levels/*/*.bak
}

# The archiver command lines of an install of n levels, in the wizard's order and forms.
write_replay_list() {
  local list=$1 game=$2 app=$3 n=$4
  local g a; g=$(winpath "$game"); a=$(winpath "$app")
  {
    # The payload's own tests, before the first change; the run log does not list them.
    printf '%s|"%s\\7z.exe" t -bb1 "%s\\modfiles.7z"\n' "$a" "$a" "$a"
    printf '%s|"%s\\7z.exe" t -bb1 "%s\\mapfiles.7z"\n' "$a" "$a" "$a"
    printf '%s|"%s\\7z.exe" x modfiles.7z -o"%s\\Mods\\" -y\n' "$a" "$a" "$g"
    printf '%s|"%s\\7z.exe" x -y "%s\\mapfiles.7z" -o"%s\\"\n' "$a" "$a" "$a" "$a"
    for level in "${STOCK[@]:0:n}"; do
      printf '%s|7z e "%s\\Levels\\%s\\level.pak" -o"%s\\Temp\\%s\\" *.bai -y\n' "$a" "$g" "$level" "$a" "$level"
      printf '%s\\temp\\%s\\|"%s\\7z.exe" a -tzip levelvelk.pak * -y -x!"*.lua"\n' "$a" "$level" "$a"
    done
  } > "$list"
}

field() { sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<<"$2"; }

# The replay's wall time from its start to its end, taken as the wizard's is: both pay for
# starting and ending a Wine process.
replay() {  # replay <list> [--cmd|--batch] -> wall ms
  local out
  out=$("$WINE" "$BENCH/tools/measure_run.exe" "$(winpath "$BENCH/tools/archiver_replay.exe")" \
        "$(winpath "$1")" ${2:-} </dev/null | tr -d '\r')
  # A failed command would make the comparison meaningless.
  [[ $out == *"failures=0"* && $out == *"exit_code=0"* ]] || { log "the replay $* failed: $out"; kill -TERM $$; exit 1; }
  field wall_ms "$out"
}

# The machine may be busy with other work: each figure is the best of REPS passes.
REPS=${REPS:-3}
min() { local m=$1; shift; for v in "$@"; do ((v < m)) && m=$v; done; echo "$m"; }
max_of() { local m=$1; shift; for v in "$@"; do ((v > m)) && m=$v; done; echo "$m"; }

declare -A WIZ_MS WIZ_CPU PEAK RUNS DIRECT_MS CMD_MS BATCH_MS CHECK_MS
for n in "${COUNTS[@]}"; do
  game="$BENCH/game-$n/Far Cry"
  app=$BENCH/app-$n/VelkSetup
  make_game "$game" "$n"
  make_app "$app" "$n"
  list=$BENCH/replay-$n.txt
  write_replay_list "$list" "$game" "$app" "$n"

  log "$n level(s): warm-up pass of the bare archiver runs"
  replay "$list" >/dev/null; reset_run "$game" "$app"

  wiz=(); cpu=(); peaks=(); direct=(); viacmd=(); viabatch=()
  for ((rep = 1; rep <= REPS; rep++)); do
    log "$n level(s), pass $rep of $REPS: unattended install"
    out=$("$WINE" "$BENCH/tools/measure_run.exe" "$(winpath "$app")\\VelkSetup.exe" /S \
          "/D=$(winpath "$game")" /LANG=en </dev/null 2>/dev/null | tr -d '\r')
    [ "$(field exit_code "$out")" = 0 ] || { log "the install failed: $out"; cat "$game/velk.log" >&2; exit 1; }
    wiz+=("$(field wall_ms "$out")"); cpu+=("$(field cpu_ms "$out")"); peaks+=("$(field peak_working_set "$out")")
    # One archiver run per "Extracting" line (payloads and each level.pak) and per "Copying"
    # line (each levelvelk.pak is packed just before it is copied).
    # And the two payload tests.
    RUNS[$n]=$(($(tr -d '\r' < "$game/velk.log" | grep -cE '^\[[^]]*\] - (Extracting|Copying) ') + 2))
    installed=$(ls "$game"/Levels/*/levelvelk.pak 2>/dev/null | wc -l)
    [ "$installed" = "$n" ] || { log "only $installed of $n levels were converted"; exit 1; }
    reset_run "$game" "$app"

    log "$n level(s), pass $rep of $REPS: the same archiver runs, directly, through cmd /c and as the runner's batch files"
    direct+=("$(replay "$list")"); reset_run "$game" "$app"
    viacmd+=("$(replay "$list" --cmd)"); reset_run "$game" "$app"
    viabatch+=("$(replay "$list" --batch)"); reset_run "$game" "$app"
  done
  WIZ_MS[$n]=$(min "${wiz[@]}"); WIZ_CPU[$n]=$(min "${cpu[@]}"); PEAK[$n]=$(max_of "${peaks[@]}")
  DIRECT_MS[$n]=$(min "${direct[@]}"); CMD_MS[$n]=$(min "${viacmd[@]}"); BATCH_MS[$n]=$(min "${viabatch[@]}")
  log "$n level(s): wizard ${wiz[*]} ms, direct ${direct[*]} ms, through cmd ${viacmd[*]} ms, as batch files ${viabatch[*]} ms"
  # What the payload tests alone cost, through cmd.
  head -n 2 "$list" > "$list.checks"
  CHECK_MS[$n]=$(replay "$list.checks" --cmd)
done

# What the program costs before any work: start, libraries, console, end (it prints its usage).
base=$("$WINE" "$BENCH/tools/measure_run.exe" "$(winpath "$BIN")\\VelkSetup.exe" "/?" </dev/null 2>/dev/null | tr -d '\r' | grep wall_ms)
exe_size=$(stat -c %s "$BIN/VelkSetup.exe")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.3f", a / b; else print "n/a" }'; }
echo
echo "VelkSetup.exe: $exe_size bytes (goal: under 1.5 MB = 1572864)"
printf '%-7s %10s %8s %9s %6s %10s %9s %9s %10s %8s %10s %10s\n' levels wizard_ms cpu_ms peak_MB runs direct_ms cmd_ms batch_ms wiz/direct wiz/cmd wiz/batch checks_ms
for n in "${COUNTS[@]}"; do
  printf '%-7s %10s %8s %9s %6s %10s %9s %9s %10s %8s %10s %10s\n' "$n" "${WIZ_MS[$n]}" "${WIZ_CPU[$n]}" \
    "$(awk -v p="${PEAK[$n]}" 'BEGIN { printf "%.1f", p / 1048576 }')" "${RUNS[$n]}" \
    "${DIRECT_MS[$n]}" "${CMD_MS[$n]}" "${BATCH_MS[$n]}" "$(ratio "${WIZ_MS[$n]}" "${DIRECT_MS[$n]}")" \
    "$(ratio "${WIZ_MS[$n]}" "${CMD_MS[$n]}")" "$(ratio "${WIZ_MS[$n]}" "${BATCH_MS[$n]}")" "${CHECK_MS[$n]}"
done
first=${COUNTS[0]}; last=${COUNTS[${#COUNTS[@]}-1]}
if [ "$first" != "$last" ]; then
  echo "scaling: $last levels cost $(ratio "${WIZ_MS[$last]}" "${WIZ_MS[$first]}")x of $first (goal for 20 vs 1: at most 20.5)"
fi
echo "baseline (VelkSetup.exe /?, no work): $(field wall_ms "$base") ms, peak $(awk -v p="$(field peak_working_set "$base")" 'BEGIN { printf "%.1f", p / 1048576 }') MB"
echo "goals: wizard/batch at most 1.05 for 5 and 20 levels; the install at most 1 MB over the baseline's peak"
echo "checks_ms: the two payload tests (7z t -bb1) alone, through cmd; they are part of runs and of the replays"
