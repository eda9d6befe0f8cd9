#pragma once
// The support and engine tests run with tests/kit/start_fault.c preloaded (CMakeLists.txt): a
// file velk-start-fault in a Wine process's current folder makes the start of the process it
// names fail once, as a heap that Linux placed over Wine's shared user data page does.
#include <windows.h>

#include <string>

namespace velk::testkit {

inline bool StartFaultsInjected() {
  wchar_t value[1024];
  const DWORD n = GetEnvironmentVariableW(L"LD_PRELOAD", value, 1024);
  return n > 0 && n < 1024 && std::wstring(value).find(L"start_fault") != std::wstring::npos;
}

}  // namespace velk::testkit
