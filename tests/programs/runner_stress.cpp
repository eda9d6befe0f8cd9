// Runs the command runner many times in a row and counts the replies that fail their check.
// A tool for load experiments, not part of the test suite.
//   runner_stress.exe [runs] [label] [own] [err]   7z.exe packs, tests and unpacks by turns
//   runner_stress.exe quick <runs> [own]           a small console program instead of 7z.exe
//   runner_stress.exe setup <rounds> <levels>      VelkSetup.exe /S install and uninstall
//   runner_stress.exe facts                        what Wine does with the work files
// "own" gives the process a temporary folder of its own, so that two can run side by side.
// "err" also sends each command's error output to a file, shown with a bad reply. "quick"
// marks every run on the error output, so that Wine's own messages about a process that
// could not start stand beside the run they spoiled. A bad run prints its reply, the time it
// took, which work files were left and whether the archive was made.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "kit/test_kit.h"
#include "support/archiver.h"
#include "support/command_runner.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/text_codec.h"

using namespace velk;

namespace {

double Now() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string Printable(const std::string& bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7f) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The runner's three work files after a run: their sizes, or "missing".
std::string WorkFileState(bool* allGone = nullptr) {
  std::string state;
  bool gone = true;
  for (const char* name : {kBatchFileName, kStdinFileName, kReplyFileName}) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(Widen(TempFolder() + name).c_str(), GetFileExInfoStandard, &data)) {
      state += std::string(name) + "=" + std::to_string(data.nFileSizeLow) + " ";
      gone = false;
    } else {
      state += std::string(name) + "=missing ";
    }
  }
  if (allGone) *allGone = gone;
  return state;
}

// Returns the folder, which the caller removes when done.
std::string UseOwnTemporaryFolder() {
  const std::string own =
      TempFolder() + "runner-stress-temp-" + std::to_string(GetCurrentProcessId());
  CreateFolders(own);
  SetEnvironmentVariableW(L"TEMP", Widen(own).c_str());
  SetEnvironmentVariableW(L"TMP", Widen(own).c_str());
  return own;
}

int SevenZipRuns(int runs, const std::string& label, bool withErrors) {
  const std::string work = TempFolder() + "runner-stress-" + std::to_string(GetCurrentProcessId());
  const std::string source = work + "\\source";
  const std::string target = work + "\\target";
  const std::string archive = source + "\\levelvelk.pak";
  const std::string errorFile = work + "\\stderr.txt";
  if (!CreateFolders(source) || !CreateFolders(target)) {
    std::printf("%s: cannot create %s\n", label.c_str(), work.c_str());
    return 2;
  }
  for (int k = 0; k < 12; ++k)
    WriteFileBytes(source + "\\file" + std::to_string(k) + ".bai",
                   std::string(2000 + 300 * k, static_cast<char>('a' + k)));
  WriteFileBytes(source + "\\script.lua", "-- not packed\r\n");

  struct Form {
    const char* name;
    std::string command;
    std::string folder;
  };
  // The wizard's forms: packing in the level work folder, extraction with -o.
  const std::string archiver = "\"" + ExeFolder() + "\\7z.exe\"";
  std::vector<Form> forms = {
      {"pack", archiver + " a -tzip levelvelk.pak * -y -x!\"*.lua\"", source + "\\"},
      {"test", archiver + " t levelvelk.pak", source},
      {"e", archiver + " e \"" + archive + "\" -o\"" + target + "\\\" *.bai -y", "."},
      {"x", archiver + " x -y \"" + archive + "\" -o\"" + target + "\\\"", target},
  };
  // The blank keeps the runner's "<" off the file name.
  if (withErrors)
    for (Form& form : forms) form.command += " 2>\"" + errorFile + "\" ";

  int bad = 0, leftBehind = 0;
  double slowest = 0, total = 0;
  for (int i = 0; i < runs; ++i) {
    const Form& form = forms[i % forms.size()];
    if (i % forms.size() == 0) DeleteFileAt(archive);
    std::string shown;
    RunnerHooks hooks;
    hooks.showSystemError = [&](const std::string& text) { shown = text; };
    const double start = Now();
    const std::string reply = ExecDosCommand(form.command, form.folder, hooks);
    const double took = Now() - start;
    total += took;
    if (took > slowest) slowest = took;
    // The runner has deleted its work files; one still there was kept by another handle or
    // by an early end.
    bool allGone = true;
    const std::string state = WorkFileState(&allGone);
    if (!allGone && ++leftBehind <= 20)
      std::printf("%s: run %d (%s) left work files behind: %s\n", label.c_str(), i, form.name,
                  state.c_str());
    if (SevenZipOk(reply)) continue;
    ++bad;
    if (withErrors) {
      std::string errors;
      ReadFileBytes(errorFile, errors);
      std::printf("%s: run %d error output of %zu bytes [%s]\n", label.c_str(), i, errors.size(),
                  Printable(errors.substr(0, 600)).c_str());
    }
    std::printf("%s: run %d (%s) BAD after %.1f ms: reply of %zu bytes [%s], shown [%s]; %s"
                "levelvelk.pak=%s\n",
                label.c_str(), i, form.name, took, reply.size(),
                Printable(reply.substr(0, 400)).c_str(), shown.c_str(), state.c_str(),
                PathExists(archive) ? "made" : "missing");
    std::fflush(stdout);
  }
  std::printf("%s: %d bad of %d runs, %d left work files behind; mean %.1f ms, slowest %.1f ms\n",
              label.c_str(), bad, runs, leftBehind, total / runs, slowest);
  RemoveFolderTree(work);
  return bad == 0 ? 0 : 1;
}

int QuickRuns(int runs) {
  // failing_archiver.exe prints one line naming its third argument.
  const std::string command = "\"" + ExeFolder() + "\\failing_archiver.exe\" x marker";
  int bad = 0;
  for (int i = 0; i < runs; ++i) {
    std::fprintf(stderr, "quick run %d\n", i);
    std::string shown;
    RunnerHooks hooks;
    hooks.showSystemError = [&](const std::string& text) { shown = text; };
    const double start = Now();
    const std::string reply = ExecDosCommand(command, ".", hooks);
    const double took = Now() - start;
    if (reply.find("cannot open marker") != std::string::npos) continue;
    ++bad;
    std::fprintf(stderr, "quick run %d BAD after %.1f ms: reply of %zu bytes [%s], shown [%s]\n", i,
                 took, reply.size(), Printable(reply.substr(0, 200)).c_str(), shown.c_str());
  }
  std::fprintf(stderr, "quick: %d bad of %d runs\n", bad, runs);
  return bad == 0 ? 0 : 1;
}

int SetupRounds(int rounds, int levels) {
  const std::string parent =
      TempFolder() + "runner-stress-setup-" + std::to_string(GetCurrentProcessId());
  CreateFolders(parent);
  testkit::GameOptions game;
  testkit::AppOptions app;
  game.levels.clear();
  for (int k = 1; k <= levels; ++k) game.levels.push_back("Level" + std::to_string(k));
  app.mapLevels = game.levels;
  app.withProgram = true;
  const testkit::Fixture fixture = testkit::MakeFixture(parent, game, app);
  int bad = 0;
  for (int round = 0; round < rounds; ++round) {
    for (const char* action : {"install", "uninstall"}) {
      std::string output;
      const double start = Now();
      const int code = testkit::RunProgram("\"" + fixture.appDir + "\\VelkSetup.exe\" /S \"/D=" +
                                               fixture.gameDir + "\" /LANG=en /ACTION=" + action,
                                           parent, &output, 600000);
      const double took = Now() - start;
      if (code != 0) ++bad;
      std::printf("setup: round %d %s ended with %d after %.0f ms\n%s", round, action, code, took,
                  code != 0 ? (output + "\n").c_str() : "");
      std::fflush(stdout);
    }
  }
  std::printf("setup: %d bad of %d runs with %d levels\n", bad, 2 * rounds, levels);
  RemoveFolderTree(parent);
  return bad == 0 ? 0 : 1;
}

// ---- facts ---------------------------------------------------------------------------------

HANDLE Open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
  return CreateFileW(Widen(path).c_str(), access, share, nullptr, disposition,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

const char* Outcome(bool ok) { return ok ? "succeeds" : "fails"; }

std::string NameState(const std::string& path) {
  std::string bytes;
  if (!PathExists(path)) return "missing";
  return ReadFileBytes(path, bytes) ? "there, holding [" + bytes + "]" : "there";
}

int Facts() {
  const std::string dir = TempFolder() + "runner-facts-" + std::to_string(GetCurrentProcessId());
  CreateFolders(dir);
  const std::string file = dir + "\\DOSReply.txt";
  const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  DWORD written = 0;

  std::printf("1. The file is deleted while another handle still holds it:\n");
  WriteFileBytes(file, "old reply");
  HANDLE holder = Open(file, GENERIC_READ, all, OPEN_EXISTING);
  const bool deleted = DeleteFileW(Widen(file).c_str());
  std::printf("   DeleteFile %s; the name is %s\n", Outcome(deleted), NameState(file).c_str());
  HANDLE kept = Open(file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                     OPEN_ALWAYS);
  std::printf("   OPEN_ALWAYS %s with error %lu (183: it opened the old file)\n",
              Outcome(kept != INVALID_HANDLE_VALUE), GetLastError());
  if (kept != INVALID_HANDLE_VALUE) CloseHandle(kept);
  HANDLE created = Open(file, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, CREATE_ALWAYS);
  WriteFile(created, "new reply", 9, &written, nullptr);
  CloseHandle(created);
  std::printf("   after CREATE_ALWAYS and a new reply the name is %s\n", NameState(file).c_str());
  CloseHandle(holder);
  std::printf("   once the old holder closes its handle the name is %s\n", NameState(file).c_str());

  std::printf("2. CREATE_NEW on such a name:\n");
  WriteFileBytes(file, "old reply");
  holder = Open(file, GENERIC_READ, all, OPEN_EXISTING);
  DeleteFileW(Widen(file).c_str());
  HANDLE fresh = Open(file, GENERIC_READ | GENERIC_WRITE, 0, CREATE_NEW);
  std::printf("   CREATE_NEW %s with error %lu (80: the file exists)\n",
              Outcome(fresh != INVALID_HANDLE_VALUE), GetLastError());
  if (fresh != INVALID_HANDLE_VALUE) CloseHandle(fresh);
  CloseHandle(holder);
  std::printf("   once the old holder closes its handle the name is %s\n", NameState(file).c_str());

  std::printf("3. A handle opened the way cmd opens a '<' file (shared for reading only):\n");
  WriteFileBytes(file, "");
  holder = Open(file, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
  kept = Open(file, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS);
  std::printf("   the runner's OPEN_ALWAYS %s with error %lu (32: sharing violation)\n",
              Outcome(kept != INVALID_HANDLE_VALUE), GetLastError());
  if (kept != INVALID_HANDLE_VALUE) CloseHandle(kept);
  const bool deletedShared = DeleteFileW(Widen(file).c_str());
  std::printf("   DeleteFile %s with error %lu\n", Outcome(deletedShared), GetLastError());
  CloseHandle(holder);
  DeleteFileW(Widen(file).c_str());

  std::printf("4. The runner's batch run by a cmd without a console of its own (as when its\n"
              "   console host could not start), and by one started as the runner does:\n");
  const std::string archiver = "\"" + ExeFolder() + "\\7z.exe\"";
  const std::string reply = dir + "\\reply.txt";
  const std::string input = dir + "\\input.txt";
  const std::string batch = dir + "\\batch.bat";
  for (DWORD flags : {DWORD(DETACHED_PROCESS), DWORD(CREATE_NO_WINDOW)}) {
    WriteFileBytes(input, "");
    DeleteFileW(Widen(reply).c_str());
    WriteFileBytes(batch, BuildBatchText(archiver + " i", dir, input, reply));
    std::wstring line = L"cmd.exe /c \"" + Widen(batch) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &info)) {
      std::printf("   cmd does not start: %lu\n", GetLastError());
      continue;
    }
    WaitForSingleObject(info.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    std::string bytes;
    ReadFileBytes(reply, bytes);
    std::printf("   %s: 7-Zip's exit code %lu, a reply of %zu bytes\n",
                flags == DETACHED_PROCESS ? "no console      " : "CREATE_NO_WINDOW", code,
                bytes.size());
  }
  RemoveFolderTree(dir);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  auto arg = [&](size_t i, const std::string& fallback) {
    return i < args.size() ? args[i] : fallback;
  };
  auto has = [&](const std::string& word) {
    for (const std::string& a : args)
      if (a == word) return true;
    return false;
  };
  const std::string mode = arg(0, "");
  if (mode == "facts") return Facts();
  if (mode == "setup") return SetupRounds(std::atoi(arg(1, "5").c_str()), std::atoi(arg(2, "20").c_str()));
  const std::string own = has("own") ? UseOwnTemporaryFolder() : std::string();
  const int rc = mode == "quick"
                     ? QuickRuns(std::atoi(arg(1, "1000").c_str()))
                     : SevenZipRuns(std::atoi(arg(0, "300").c_str()), arg(1, "stress"), has("err"));
  if (!own.empty()) RemoveFolderTree(own);
  return rc;
}
