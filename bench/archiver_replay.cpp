// Runs archiver command lines one after another, for comparison with the wizard that issues
// them:
//   archiver_replay <list file> [--cmd | --batch | --runner]
// Each line of the list (UTF-8) is "<work folder>|<command line>". A command gets an empty
// standard input and writes its output into a file, as the wizard's runner arranges; with
// --cmd it is started through cmd.exe /c, as the wizard's batch file is; with --batch the
// runner's own batch text (BuildBatchText: drive, cd, the command with both redirections) is
// written into a batch file in the OEM code page and started hidden the runner's way
// (StartBatchHidden), and the reply is read back: the mechanism the wizard must use, without
// its bookkeeping around it; with --runner through the wizard's runner itself. Prints "runs=<n> total_ms=<n> failures=<n>".
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "support/batch_start.h"
#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "support/text_codec.h"

namespace {

using velk::Widen;

std::wstring TempFile(const wchar_t* name) {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  return std::wstring(buffer, n) + name;
}

HANDLE OpenInherited(const std::wstring& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs one command; false when it could not be started or its exit code is not 0.
bool RunOne(const std::wstring& folder, std::wstring command, bool throughCmd) {
  const std::wstring input = TempFile(L"replay_in.txt");
  const std::wstring output = TempFile(L"replay_out.txt");
  HANDLE in = OpenInherited(input, GENERIC_READ, OPEN_ALWAYS);
  HANDLE out = OpenInherited(output, GENERIC_WRITE, CREATE_ALWAYS);
  // cmd /c strips the outer pair of quotes and runs the rest as written.
  if (throughCmd) command = L"cmd.exe /d /c \"" + command + L"\"";
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = out;
  PROCESS_INFORMATION info = {};
  // A program named without a folder ("7z") is looked for in our own current folder, as cmd
  // finds it in the batch's.
  SetCurrentDirectoryW(folder.c_str());
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                                      CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &info);
  DWORD code = 1;
  if (started) {
    WaitForSingleObject(info.hProcess, INFINITE);
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  CloseHandle(in);
  CloseHandle(out);
  return started && code == 0;
}

// Runs one command as the wizard's batch file would; false as RunOne.
bool RunAsBatch(const std::string& folder, const std::string& command) {
  const std::string temp = velk::Narrow(TempFile(L""));
  const std::string input = temp + "replay_in.txt", reply = temp + "replay_out.txt", batch = temp + "replay.bat";
  CloseHandle(OpenInherited(Widen(input), GENERIC_READ, OPEN_ALWAYS));
  DeleteFileW(Widen(reply).c_str());
  if (!velk::WriteFileBytes(batch, velk::ToOem(velk::BuildBatchText(command, folder, input, reply)))) return false;
  velk::BatchStart start;
  start.batchPath = batch;
  start.startFolder = folder;
  velk::UniqueHandle process;
  if (velk::StartBatchHidden(start, process) != ERROR_SUCCESS) return false;
  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(process.get(), &code);
  std::string bytes;
  return velk::ReadFileBytes(reply, bytes) && !bytes.empty() && code == 0;
}

// Runs one command through the wizard's runner itself (ExecDosCommand, with its work files,
// its job and its checks); false when 7-Zip did not report success.
bool RunThroughRunner(const std::string& folder, const std::string& command) {
  const std::string reply = velk::ExecDosCommand(command, folder, velk::RunnerHooks{});
  return reply.find("Everything is Ok") != std::string::npos;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("usage: archiver_replay <list file> [--cmd | --batch]\n", stderr);
    return 2;
  }
  const std::string mode = argc > 2 ? argv[2] : "";
  std::ifstream list(argv[1], std::ios::binary);
  std::vector<std::pair<std::string, std::string>> commands;
  for (std::string line; std::getline(list, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t bar = line.find('|');
    if (bar == std::string::npos) continue;
    commands.emplace_back(line.substr(0, bar), line.substr(bar + 1));
  }
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  int failures = 0;
  for (const auto& [folder, command] : commands) {
    const bool ok = mode == "--batch"    ? RunAsBatch(folder, command)
                    : mode == "--runner" ? RunThroughRunner(folder, command)
                                         : RunOne(Widen(folder), Widen(command), mode == "--cmd");
    if (!ok) ++failures;
  }
  QueryPerformanceCounter(&end);
  const long long ms = (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
  std::printf("runs=%zu total_ms=%lld failures=%d\n", commands.size(), ms, failures);
  return failures ? 1 : 0;
}
