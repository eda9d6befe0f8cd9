// Entry point: the window, or the unattended mode for /S.
#include <windows.h>

#include <string>
#include <vector>

#include "support/text_codec.h"
#include "wizard/unattended.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  std::vector<std::string> args;
  for (int i = 1; i < __argc; ++i) args.push_back(velk::Narrow(__wargv[i]));
  if (velk::WantsUnattended(args)) return velk::RunUnattended(args);
  return 0;  // the window comes with the window code
}
