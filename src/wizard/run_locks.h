#pragma once
// The locks of what a run changes: the setup's own folder and the game folder (named in
// wizard/window_names.h), held from the moment the game folder is known until the run ends.
#include <memory>
#include <string>

#include "support/single_instance.h"

namespace velk {

class RunLocks {
 public:
  // Holds both folders' locks, waiting at most `waitMs` in all; true when held. The setup
  // folder's lock is taken first, in every run, so two waiting runs never hold one each.
  // Another game folder asked later replaces the first only once its lock is held.
  bool Claim(const std::string& appDir, const std::string& gameDir, unsigned waitMs);

 private:
  std::unique_ptr<SingleInstance> setupFolder_;
  std::string gameLockName_;
  std::unique_ptr<SingleInstance> game_;
};

}  // namespace velk
