// make_fixture.exe <parent> [game folder name] [app folder name]
// Builds a game folder and the wizard's payload folder (7z.exe, modfiles.7z, mapfiles.7z)
// below <parent> with the test kit, and prints their two paths (UTF-8), one a line. Used by
// tools/demo.sh; the folders stay.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "kit/test_kit.h"
#include "support/text_codec.h"

namespace {

// The arguments as UTF-8, whatever the ANSI code page.
std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
    for (int i = 1; i < count; ++i) args.push_back(velk::Narrow(argv[i]));
    LocalFree(argv);
  }
  return args;
}

}  // namespace

int main() {
  const std::vector<std::string> args = Arguments();
  if (args.empty() || args.size() > 3) {
    std::fprintf(stderr, "usage: make_fixture.exe <parent> [game folder name] [app folder name]\n");
    return 2;
  }
  velk::testkit::GameOptions game;
  velk::testkit::AppOptions app;
  if (args.size() > 1) game.folderName = args[1];
  if (args.size() > 2) app.folderName = args[2];
  try {
    const velk::testkit::Fixture fixture = velk::testkit::MakeFixture(args[0], game, app);
    std::printf("%s\n%s\n", fixture.gameDir.c_str(), fixture.appDir.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_fixture: %s\n", e.what());
    return 1;
  }
}
