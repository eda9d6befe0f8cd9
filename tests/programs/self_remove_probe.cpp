// Starts the self-removal for its own file and ends, as the wizard's exit button does.
//   self_remove_probe [stay-ms]
// stay-ms keeps the probe running that long after starting Kill.bat, so that the batch must
// retry. Exit code 0 when Kill.bat was started, 3 when not.
#include <windows.h>

#include <cstdlib>

#include "levels/game_layout.h"
#include "support/process_info.h"
#include "support/self_removal.h"

int main(int argc, char** argv) {
  const unsigned stayMs = argc > 1 ? static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)) : 0;
  const bool started = velk::StartOwnSelfRemoval(velk::ExeFolder(), velk::layout::kKillBatch);
  if (stayMs) Sleep(stayMs);
  return started ? 0 : 3;
}
