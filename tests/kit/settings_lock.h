#pragma once
// ctest runs test programs side by side, but they share one registry: tests that write the
// remembered game folder (FCDir) and read it back hold this lock for their whole length.
#include <windows.h>

namespace velk::testkit {

class SettingsLock {
 public:
  SettingsLock() : mutex_(CreateMutexW(nullptr, FALSE, L"Local\\velk-tests-settings")) {
    // An abandoned lock (a crashed test) is ours as well.
    if (mutex_) WaitForSingleObject(mutex_, INFINITE);
  }
  ~SettingsLock() {
    if (mutex_) {
      ReleaseMutex(mutex_);
      CloseHandle(mutex_);
    }
  }
  SettingsLock(const SettingsLock&) = delete;
  SettingsLock& operator=(const SettingsLock&) = delete;

  // Removes FCDir, as on a first start.
  static void ForgetGameDir() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER,
                      L"Software\\VB and VBA Program Settings\\VELK-Installer\\Settings", 0,
                      KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueW(key, L"FCDir");
      RegCloseKey(key);
    }
  }

 private:
  HANDLE mutex_;
};

}  // namespace velk::testkit
