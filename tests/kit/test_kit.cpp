// The kit's plumbing: temporary folders, programs beside the tests, running them, archives
// and plain file access. The fixtures built from these are in fixtures.cpp.
#include "kit/test_kit.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <stdexcept>

#include "support/content_hash.h"
#include "kit/named_lock.h"
#include "support/file_helpers.h"
#include "support/settings_store.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk::testkit {
namespace {

std::string TempBase() {
  std::wstring buffer(MAX_PATH + 1, L'\0');
  DWORD n = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (n > buffer.size()) {
    buffer.resize(n);
    n = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  if (n == 0) throw std::runtime_error("GetTempPathW failed");
  buffer.resize(n);
  while (!buffer.empty() && buffer.back() == L'\\') buffer.pop_back();
  return Narrow(buffer);
}

std::string ExeFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) throw std::runtime_error("GetModuleFileNameW failed");
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return Narrow(buffer.substr(0, buffer.rfind(L'\\')));
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string Archiver7z() { return Quoted(ArchiverPath()); }

void RunArchiver(const std::string& arguments, const std::string& workDir, const char* what,
                 std::string* output = nullptr) {
  std::string text;
  const int rc = RunProgram(Archiver7z() + " " + arguments, workDir, &text);
  if (rc != 0)
    throw std::runtime_error(std::string(what) + " failed (exit " + std::to_string(rc) +
                             "): " + arguments + "\n" + text);
  if (output) *output = std::move(text);
}

// Relative names below `folder`; folders are listed too (with a trailing "\\") when asked.
void ListTreeInto(const std::wstring& folder, const std::string& prefix, bool withFolders,
                  std::vector<std::string>& names) {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW((folder + L"\\*").c_str(), &data));
  if (!find) return;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    const std::string relative = prefix + Narrow(name);
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (withFolders) names.push_back(relative + "\\");
      ListTreeInto(folder + L"\\" + name, relative + "\\", withFolders, names);
    } else {
      names.push_back(relative);
    }
  } while (FindNextFileW(find.get(), &data));
}

// Lines split at `separator`; a separator at the very end gives no empty last line.
std::vector<std::string> SplitLines(const std::string& text, const std::string& separator) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + separator.size();
  }
  return lines;
}

}  // namespace

std::string Fnv1a64Hex(const std::string& bytes) { return ContentHash(bytes); }

// ---- temporary folders ---------------------------------------------------------------------

TempFolder::TempFolder(const std::string& nameHint) {
  const std::string base = TempBase();
  // CreateDirectory fails on an existing name, so the first success is ours alone.
  for (unsigned n = 1;; ++n) {
    const std::string candidate = base + "\\" + nameHint + "-" + std::to_string(n);
    if (CreateDirectoryW(Widen(candidate).c_str(), nullptr)) {
      path_ = candidate;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS || n > 100000)
      throw std::runtime_error("cannot create a temporary folder " + candidate);
  }
}

TempFolder::~TempFolder() {
  if (GetEnvironmentVariableW(L"VELK_KEEP_FIXTURES", nullptr, 0) > 0) return;
  RemoveFolderTree(path_);
}

// ---- programs ------------------------------------------------------------------------------

std::string ArchiverPath() { return ExeFolder() + "\\7z.exe"; }
std::string ProgramPath() { return ExeFolder() + "\\VelkSetup.exe"; }
std::string TestProgramPath(const std::string& name) { return ExeFolder() + "\\" + name + ".exe"; }

namespace {

// This process's environment with TEMP and TMP set to `tempFolder`, as CreateProcessW takes it.
std::wstring EnvironmentWithTemp(const std::string& tempFolder) {
  std::wstring block;
  if (wchar_t* own = GetEnvironmentStringsW()) {
    for (const wchar_t* entry = own; *entry; entry += wcslen(entry) + 1) {
      if (_wcsnicmp(entry, L"TEMP=", 5) == 0 || _wcsnicmp(entry, L"TMP=", 4) == 0) continue;
      block += entry;
      block += L'\0';
    }
    FreeEnvironmentStringsW(own);
  }
  for (const wchar_t* name : {L"TEMP=", L"TMP="}) {
    block += name + Widen(tempFolder);
    block += L'\0';
  }
  return block + L'\0';
}

}  // namespace

int RunProgram(const std::string& commandLine, const std::string& workDir, std::string* output,
               unsigned timeoutMs, const std::string& tempFolder) {
  if (output) output->clear();
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  UniqueHandle outRead, outWrite, inRead, inWrite;
  if (!CreatePipe(outRead.put(), outWrite.put(), &inherit, 0) ||
      !CreatePipe(inRead.put(), inWrite.put(), &inherit, 0))
    return -1;
  SetHandleInformation(outRead.get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(inWrite.get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inRead.get();
  startup.hStdOutput = outWrite.get();
  startup.hStdError = outWrite.get();
  PROCESS_INFORMATION info{};
  std::wstring command = Widen(commandLine);
  const std::wstring folder = Widen(workDir);
  std::wstring environment = tempFolder.empty() ? std::wstring() : EnvironmentWithTemp(tempFolder);
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                      CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT,
                      environment.empty() ? nullptr : environment.data(),
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info))
    return -1;
  UniqueHandle process(info.hProcess), thread(info.hThread);
  // Only the child holds the write end now; a prompt reads end of input at once.
  outWrite.reset();
  inRead.reset();
  inWrite.reset();

  // Poll the pipe instead of blocking on it: the output cannot fill up and stall the child,
  // and a grandchild that inherited the pipe cannot keep us waiting after the child ended.
  std::string collected;
  auto drain = [&] {
    DWORD available = 0;
    while (PeekNamedPipe(outRead.get(), nullptr, 0, nullptr, &available, nullptr) && available) {
      std::string chunk(available, '\0');
      DWORD read = 0;
      if (!::ReadFile(outRead.get(), chunk.data(), available, &read, nullptr) || read == 0) break;
      collected.append(chunk.data(), read);
    }
  };
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  bool timedOut = false;
  for (;;) {
    drain();
    if (WaitForSingleObject(process.get(), 5) == WAIT_OBJECT_0) break;
    if (GetTickCount64() >= deadline) {
      TerminateProcess(process.get(), 1);
      WaitForSingleObject(process.get(), 5000);
      timedOut = true;
      break;
    }
  }
  drain();
  if (output) *output = std::move(collected);
  DWORD code = 0;
  if (timedOut || !GetExitCodeProcess(process.get(), &code)) return -1;
  return static_cast<int>(code);
}

// ---- archives ------------------------------------------------------------------------------

void PackFolder(const std::string& sourceFolder, const std::string& archive,
                const std::string& type) {
  // "a" updates an existing archive; the kit always wants exactly the folder's content.
  DeleteFileAt(archive);
  // Run inside the folder with the wildcard "*": entries keep their names relative to it,
  // and folders come with all they hold.
  RunArchiver("a -t" + type + " -y " + Quoted(archive) + " *", sourceFolder, "7-Zip packing");
}

namespace {

// Packed archives are kept by the hash of their content, in a folder that all test processes
// share: the parent of the per-process temporary folders (see test_main.cpp).
std::string ArchiveCacheFolder() {
  const std::string temp = TempBase();
  const size_t cut = temp.rfind('\\');
  const bool perProcess = cut != std::string::npos && temp.compare(cut + 1, 10, "velk-test-") == 0;
  const std::string folder = (perProcess ? temp.substr(0, cut) : temp) + "\\velk-kit-cache";
  CreateDirectoryW(Widen(folder).c_str(), nullptr);
  return folder;
}

}  // namespace

void PackFolderCached(const std::string& sourceFolder, const std::string& archive,
                      const std::string& type) {
  std::vector<std::string> names;
  ListTreeInto(Widen(sourceFolder), {}, true, names);
  std::sort(names.begin(), names.end());
  std::string key = type;
  for (const std::string& name : names) {
    key.append("|").append(name);
    if (name.back() == '\\') continue;  // a folder counts by its name alone
    key.append("=").append(Fnv1a64Hex(ReadFile(sourceFolder + "\\" + name)));
  }
  const std::string cached = ArchiveCacheFolder() + "\\" + Fnv1a64Hex(key) + "." + type;
  if (!FileExists(cached)) {
    TempFolder packed("pack");
    const std::string fresh = packed.path() + "\\archive." + type;
    PackFolder(sourceFolder, fresh, type);
    // Published whole by one rename and never replaced, so a process copying it at the same
    // time always reads a complete archive; when another process was first, its copy serves.
    MoveFileExW(Widen(fresh).c_str(), Widen(cached).c_str(), 0);
  }
  if (!CopyFileOver(cached, archive))
    throw std::runtime_error("cannot copy an archive to " + archive);
}

namespace {

struct ArchiveEntry {
  std::string path;
  bool folder = false;
};

std::vector<ArchiveEntry> ListArchiveEntries(const std::string& archive) {
  std::string output;
  RunArchiver("l -slt -sccUTF-8 " + Quoted(archive), {}, "7-Zip listing", &output);
  std::vector<ArchiveEntry> entries;
  bool inEntries = false;  // the archive's own block, before the dashes, names the archive
  for (std::string line : SplitLines(output, "\n")) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!inEntries) {
      inEntries = line.rfind("----------", 0) == 0;
      continue;
    }
    if (line.rfind("Path = ", 0) == 0) entries.push_back({line.substr(7)});
    else if (!entries.empty() && line == "Folder = +") entries.back().folder = true;
    else if (!entries.empty() && line.rfind("Attributes = D", 0) == 0) entries.back().folder = true;
  }
  return entries;
}

}  // namespace

std::vector<std::string> ListArchive(const std::string& archive) {
  std::vector<std::string> names;
  for (const ArchiveEntry& entry : ListArchiveEntries(archive)) names.push_back(entry.path);
  return names;
}

std::vector<std::string> ListArchiveFiles(const std::string& archive) {
  std::vector<std::string> names;
  for (const ArchiveEntry& entry : ListArchiveEntries(archive))
    if (!entry.folder) names.push_back(entry.path);
  return names;
}

std::string ReadArchiveEntry(const std::string& archive, const std::string& entry) {
  TempFolder out("entry");
  RunArchiver("x -y -sccUTF-8 -o" + Quoted(out.path()) + " " + Quoted(archive) + " " +
                  Quoted(entry),
              {}, "7-Zip extraction");
  const std::string file = out.path() + "\\" + entry;
  if (!FileExists(file)) throw std::runtime_error("no entry " + entry + " in " + archive);
  return ReadFile(file);
}

std::map<std::string, std::string> HashArchive(const std::string& archive) {
  TempFolder out("whole");
  RunArchiver("x -y -sccUTF-8 -o" + Quoted(out.path()) + " " + Quoted(archive), {}, "7-Zip extraction");
  return HashTree(out.path());
}

// ---- files ---------------------------------------------------------------------------------

void WriteFile(const std::string& path, const std::string& bytes) {
  const size_t cut = path.rfind('\\');
  if (cut != std::string::npos && cut > 0) CreateFolders(path.substr(0, cut));
  if (!WriteFileBytes(path, bytes)) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) throw std::runtime_error("cannot read " + path);
  return bytes;
}

bool Exists(const std::string& path) {
  return !path.empty() && GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> ListTree(const std::string& folder) {
  std::vector<std::string> names;
  ListTreeInto(Widen(folder), {}, false, names);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ListFolders(const std::string& folder) {
  std::vector<std::string> names;
  ListTreeInto(Widen(folder), {}, true, names);
  std::erase_if(names, [](const std::string& name) { return name.back() != '\\'; });
  std::sort(names.begin(), names.end());
  return names;
}

std::map<std::string, std::string> HashTree(const std::string& folder) {
  std::map<std::string, std::string> hashes;
  for (const std::string& name : ListTree(folder))
    hashes[name] = Fnv1a64Hex(ReadFile(folder + "\\" + name));
  return hashes;
}

std::vector<std::string> LogTexts(const std::string& gameDir) {
  std::string bytes;
  if (!ReadFileBytes(gameDir + "\\velk.log", bytes)) return {};
  std::vector<std::string> lines = SplitLines(FromAnsi(bytes), "\r\n");
  for (std::string& line : lines) {
    // "[" + time of day + "] - ": the time holds digits and ':' but never ']'.
    if (line.empty() || line[0] != '[') continue;
    const size_t close = line.find("] - ");
    if (close == std::string::npos) continue;
    const std::string time = line.substr(1, close - 1);
    if (time.find(':') == std::string::npos || time.find(']') != std::string::npos) continue;
    line.erase(0, close + 4);
  }
  return lines;
}

void SettingsLock::ForgetGameDir() { DeleteSetting(kSettingsApp, kSettingsSection, kGameDirSetting); }

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

bool LogHas(const std::string& gameDir, const std::string& text) {
  const std::vector<std::string> lines = LogTexts(gameDir);
  return std::find(lines.begin(), lines.end(), text) != lines.end();
}

bool LogMentions(const std::string& gameDir, const std::string& part) {
  for (const std::string& line : LogTexts(gameDir))
    if (line.find(part) != std::string::npos) return true;
  return false;
}

}  // namespace velk::testkit
