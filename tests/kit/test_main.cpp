// main for every test program: each test process gets its own temporary folder, so that the
// command runner's fixed work file names never collide between tests running side by side.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  wchar_t base[MAX_PATH + 1] = {};
  DWORD n = GetTempPathW(MAX_PATH + 1, base);
  // Wine hands out process ids again soon, so the id alone could name the folder of an
  // earlier test process whose children still use it; the first new name is ours alone.
  const std::wstring stem = std::wstring(base, n) + L"velk-test-" +
                            std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64());
  std::wstring own = stem;
  for (int k = 1; !CreateDirectoryW(own.c_str(), nullptr) && k < 1000; ++k)
    own = stem + L"-" + std::to_wstring(k);
  SetEnvironmentVariableW(L"TEMP", own.c_str());
  SetEnvironmentVariableW(L"TMP", own.c_str());
  ::testing::InitGoogleTest(&argc, argv);
  int rc = RUN_ALL_TESTS();
  // Leave nothing behind in the prefix's temporary folder.
  std::wstring pattern = own + L"\\*";
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW(pattern.c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring p = own + L"\\" + fd.cFileName;
      if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileW(p.c_str());
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(own.c_str());
  return rc;
}
