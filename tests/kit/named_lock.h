#pragma once
// ctest runs test programs side by side, but they share one registry, one desktop and one
// Wine prefix: tests that change one of those hold a lock of that name for their length.
#include <windows.h>

#include <string>

namespace velk::testkit {

class NamedLock {
 public:
  explicit NamedLock(const wchar_t* name) : mutex_(CreateMutexW(nullptr, FALSE, name)) {
    // An abandoned lock (a crashed test) is ours as well.
    if (mutex_) WaitForSingleObject(mutex_, INFINITE);
  }
  ~NamedLock() {
    if (!mutex_) return;
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
  }
  NamedLock(const NamedLock&) = delete;
  NamedLock& operator=(const NamedLock&) = delete;

 private:
  HANDLE mutex_;
};

// The remembered game folder (FCDir): written and read back by a test.
class SettingsLock : public NamedLock {
 public:
  SettingsLock() : NamedLock(L"Local\\velk-tests-settings") {}
  // Removes FCDir, as on a first start.
  static void ForgetGameDir();
};

// The desktop shortcut has one fixed name on the one desktop.
class DesktopLock : public NamedLock {
 public:
  DesktopLock() : NamedLock(L"Local\\velk-tests-desktop") {}
};

}  // namespace velk::testkit
