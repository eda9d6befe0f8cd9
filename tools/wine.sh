#!/bin/sh
# The Wine loader, run with address space randomization off for itself and for every Wine
# process it starts (the setting is inherited).
#   wine.sh <program.exe> [arguments...]      VELK_WINE_LOADER names the loader; default: found
# Debian's wine64 comes without the Wine preloader. Its loader is then an ordinary program
# linked at 0x7d000000, and Linux places its heap at random up to 1 GiB above it. Every Wine
# process must map its shared user data page at 0x7ffe0000, 48 MiB above the loader, and the
# one in several thousand whose young heap lies there ends at once ("failed to map the shared
# user data: c0000018"). When that is the cmd.exe, the console host or the 7z.exe of a
# command, the command runner starts the command again; any other program (a test's own, the
# wizard itself) just fails. Without randomization the heap starts right after the loader,
# far below that page.
loader=${VELK_WINE_LOADER:-$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)}
exec setarch "$(uname -m)" -R "$loader" "$@"
