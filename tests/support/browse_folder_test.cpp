// The folder browser is a real dialog: a second thread opens it, this one finds it among the
// process's windows and answers it as the user would.
#include "support/shell.h"

#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/file_helpers.h"
#include "support/text_codec.h"

namespace velk {
namespace {

constexpr const char* kTitle = "Choose the Far Cry directory!";

struct Search {
  std::wstring text;
  HWND found = nullptr;
};

BOOL CALLBACK FindChildWithText(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  wchar_t text[256] = {};
  GetWindowTextW(child, text, 256);
  if (search->text == text) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK FindBrowser(HWND window, LPARAM param) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[64] = {};
  GetClassNameW(window, className, 64);
  if (process != GetCurrentProcessId() || std::wstring(className) != L"#32770") return TRUE;
  Search label{Widen(kTitle)};
  EnumChildWindows(window, FindChildWithText, reinterpret_cast<LPARAM>(&label));
  if (!label.found) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

// Opens the browser on its own thread and hands its dialog to `answer`.
std::string Browse(void (*answer)(HWND, const std::string&), const std::string& folder) {
  auto result = std::make_shared<std::string>("unset");
  std::thread browser([result] { *result = BrowseForFolder(kTitle); });
  HWND dialog = nullptr;
  for (int waited = 0; waited < 20000 && !dialog; waited += 50) {
    EnumWindows(FindBrowser, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) Sleep(50);
  }
  if (!dialog) {
    browser.detach();  // nothing to answer; the process ends with the test program
    ADD_FAILURE() << "the folder browser with the title did not appear";
    return "unset";
  }
  answer(dialog, folder);
  browser.join();
  return *result;
}

bool HaveDisplay() { return GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0; }

TEST(BrowseForFolder, CancelGivesEmptyText) {
  if (!HaveDisplay()) GTEST_SKIP() << "the folder browser needs a display";
  const std::string chosen = Browse(
      [](HWND dialog, const std::string&) { PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }, {});
  EXPECT_EQ(chosen, "");
}

TEST(BrowseForFolder, ConfirmedFolderGivesItsPath) {
  if (!HaveDisplay()) GTEST_SKIP() << "the folder browser needs a display";
  // Wine's browser cannot select below the user's profile, where the process's temporary
  // folder lies; the system's temporary folder is outside it.
  wchar_t windows[MAX_PATH + 1] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH + 1), 0u);
  const std::string folder = Narrow(windows) + "\\Temp\\Spiele Zürich 100% & Ölfass's " +
                             std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(CreateFolders(folder));
  const std::string chosen = Browse(
      [](HWND dialog, const std::string& path) {
        // The dialog fills its tree after it appears: select until the tree shows the folder.
        const std::wstring wide = Widen(path);
        const std::wstring leaf = wide.substr(wide.rfind(L'\\') + 1);
        HWND tree = FindWindowExW(dialog, nullptr, WC_TREEVIEWW, nullptr);
        for (int waited = 0; tree && waited < 10000; waited += 100) {
          SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
          wchar_t text[MAX_PATH] = {};
          TVITEMW item{};
          item.mask = TVIF_TEXT;
          item.hItem = TreeView_GetSelection(tree);
          item.pszText = text;
          item.cchTextMax = MAX_PATH;
          if (item.hItem && TreeView_GetItem(tree, &item) && leaf == text) break;
          Sleep(100);
        }
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      },
      folder);
  KillDir(folder);
  // The shell reports the folder names as stored ("temp"); Windows compares them caselessly.
  const std::wstring wideChosen = Widen(chosen), wideFolder = Widen(folder);
  EXPECT_EQ(CompareStringOrdinal(wideChosen.c_str(), -1, wideFolder.c_str(), -1, TRUE), CSTR_EQUAL)
      << chosen;
}

}  // namespace
}  // namespace velk
