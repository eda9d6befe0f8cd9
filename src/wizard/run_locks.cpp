#include "wizard/run_locks.h"

#include <windows.h>

#include "wizard/window_names.h"

namespace velk {

bool RunLocks::Claim(const std::string& appDir, const std::string& gameDir, unsigned waitMs) {
  const ULONGLONG deadline = GetTickCount64() + waitMs;
  auto left = [deadline] {
    const ULONGLONG now = GetTickCount64();
    return static_cast<unsigned>(now < deadline ? deadline - now : 0);
  };
  if (!setupFolder_) {
    auto lock = std::make_unique<SingleInstance>(SetupFolderLockName(appDir), left());
    if (!lock->Acquired()) return false;
    setupFolder_ = std::move(lock);
  }
  const std::string name = GameLockName(gameDir);
  if (game_ && name == gameLockName_) return true;
  auto lock = std::make_unique<SingleInstance>(name, left());
  if (!lock->Acquired()) return false;
  game_ = std::move(lock);
  gameLockName_ = name;
  return true;
}

}  // namespace velk
