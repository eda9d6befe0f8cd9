#pragma once
// One setup at a time: a named mutex owned for the program's life.
#include <string>

#include "support/win_handles.h"

namespace velk {

// Owns a named mutex for the program's life (the wizard's lock, shared by the window and the
// unattended mode); Acquired() is false when another instance owned it for all of `waitMs`.
// A lock whose owner ended without releasing it (killed) counts as free.
class SingleInstance {
 public:
  explicit SingleInstance(const std::string& name, unsigned waitMs = 0);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  bool Acquired() const { return acquired_; }
 private:
  UniqueHandle mutex_;
  bool acquired_ = false;
};

}  // namespace velk
