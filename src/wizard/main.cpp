// Entry point: the wizard window, or the unattended mode for /S.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "support/process_info.h"
#include "support/single_instance.h"
#include "support/text_codec.h"
#include "support/win_handles.h"
#include "wizard/languages.h"
#include "wizard/window_names.h"
#include "wizard/main_window.h"
#include "wizard/unattended.h"

namespace {

std::vector<std::string> Arguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i) args.push_back(velk::Narrow(argv[i]));
  LocalFree(argv);
  return args;
}

bool HasSwitch(const std::vector<std::string>& args, const char* name) {
  for (const std::string& a : args)
    if (CompareStringOrdinal(velk::Widen(a).c_str(), -1, velk::Widen(name).c_str(), -1, TRUE) == CSTR_EQUAL)
      return true;
  return false;
}

void ShowAlreadyRunning() {
  const velk::MessageCatalogue texts =
      velk::CatalogueOf(velk::LanguageForCode(std::to_string(velk::SystemDefaultLcid())));
  MessageBoxW(nullptr, velk::Widen(velk::FormatText(texts.MsgAlreadyRunning, "")).c_str(),
              velk::Widen(velk::kAppTitle).c_str(), MB_ICONINFORMATION | MB_OK);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  const std::vector<std::string> args = Arguments();
  if (velk::WantsUnattended(args)) return velk::RunUnattended(args);

  // Restarted with administrator rights, the asking wizard is still closing: wait for it.
  const velk::SingleInstance single(velk::SetupLockName(),
                                    HasSwitch(args, velk::kElevatedSwitch) ? 10000 : 0);
  if (!single.Acquired()) {
    ShowAlreadyRunning();
    return 1;
  }
  // The payload is found relative to the program's own folder.
  velk::SetCurrentFolder(velk::ExeFolder());
  velk::ComScope com;
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES |
                                                      ICC_PROGRESS_CLASS | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);

  const bool inDesignHost = velk::DebuggerAttached() || HasSwitch(args, velk::kDevSwitch);
  auto window = velk::MainWindow::Create(instance, inDesignHost);
  if (!window) return 3;
  window->Start(showCommand);
  return window->RunMessageLoop();
}
