#!/bin/sh
# Runs one Windows test program under Wine for ctest.
#   wine_test_runner.sh <wine loader> <program.exe> [arguments...]
# Every Wine process inherits the Unix output descriptors of the one that started it, and a
# process Wine already reports as ended (a cmd.exe, a console host) can linger a while
# longer. Given ctest's pipe, such a straggler keeps ctest waiting for the end of the output
# long after the test itself is done. So the test's output goes to a file, and ctest gets it
# once the program has ended.
# The loader runs through wine.sh, without address space randomization: with it, a Wine
# process now and then fails to start, and a test fails for nothing it tests.
wine=$1; shift
out=$(mktemp "${TMPDIR:-/tmp}/velk-test-output.XXXXXX") || exit 1
VELK_WINE_LOADER=$wine "$(dirname "$0")/wine.sh" "$@" </dev/null >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
