// Stands in for 7z.exe in tests: an archiver that passes the payload's test but then lies or
// never ends. Beside it: real-7z.exe (the real archiver) and false-archiver.txt, whose first
// word is the way it goes wrong, and whose second word, if any, names the commands it goes
// wrong on (default: every command but "t"); the real archiver runs the others.
//   lies   prints "Everything is Ok" and does nothing
//   hangs  never ends
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::wstring OwnFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\'));
}

// The two words of false-archiver.txt.
void ReadMode(const std::wstring& folder, std::string& mode, std::string& commands) {
  FILE* file = _wfopen((folder + L"\\false-archiver.txt").c_str(), L"rb");
  if (!file) return;
  char text[64] = {};
  const size_t n = std::fread(text, 1, sizeof text - 1, file);
  std::fclose(file);
  const std::string words(text, n);
  const size_t blank = words.find(' ');
  mode = words.substr(0, blank);
  if (blank != std::string::npos) commands = words.substr(blank + 1, words.find_first_of("\r\n", blank) - blank - 1);
}

// The command line after the program's own name.
std::wstring Arguments() {
  const wchar_t* line = GetCommandLineW();
  bool quoted = false;
  for (; *line && (quoted || (*line != L' ' && *line != L'\t')); ++line)
    if (*line == L'"') quoted = !quoted;
  return line;
}

int RunReal(const std::wstring& folder) {
  std::wstring command = L"\"" + folder + L"\\real-7z.exe\"" + Arguments();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
    return 9;
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 9;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}

}  // namespace

int main(int argc, char** argv) {
  const std::wstring folder = OwnFolder();
  std::string mode, commands;
  ReadMode(folder, mode, commands);
  const std::string command = argc > 1 ? argv[1] : "";
  const bool goesWrong = commands.empty() ? command != "t" : commands.find(command) != std::string::npos;
  if (!goesWrong) return RunReal(folder);
  if (mode == "hangs") {
    for (;;) Sleep(1000);
  }
  // Text mode makes each line feed a CR LF, as the real archiver writes it.
  std::printf("\n7-Zip (a) 21.07 (x64)\n\nEverything is Ok\n");
  return 0;
}
