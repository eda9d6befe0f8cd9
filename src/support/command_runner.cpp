#include "support/command_runner.h"

#include <algorithm>

#include "support/batch_start.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/text_codec.h"
#include "support/win_handles.h"

namespace velk {
namespace {

// cmd expands %NAME% in batch files, inside quotes too; %% reads as one %.
std::string DoublePercent(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

// Redirection targets are unquoted in the batch; a short name may still hold a character
// that cmd treats as an operator, and then it must be quoted.
std::string RedirectionTarget(const std::string& path) {
  const std::string safe = BatchSafePath(path);
  return safe.find_first_of(" &|<>^(),;=") == std::string::npos ? safe : "\"" + safe + "\"";
}

// Every double-quoted part of the command made batch-safe; the rest stays as written.
std::string BatchSafeCommand(const std::string& command) {
  std::string out;
  size_t pos = 0;
  for (;;) {
    const size_t open = command.find('"', pos);
    const size_t close = open == std::string::npos ? open : command.find('"', open + 1);
    if (close == std::string::npos) {
      out += command.substr(pos);
      return out;
    }
    out += command.substr(pos, open + 1 - pos);
    out += BatchSafePath(command.substr(open + 1, close - open - 1));
    out += '"';
    pos = close + 1;
  }
}

DWORD CreateOrKeep(const std::string& path) {
  UniqueFile file(CreateFileW(Widen(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return file ? ERROR_SUCCESS : GetLastError();
}

DWORD DeleteWorkFile(const std::string& path) {
  return DeleteFileW(Widen(path).c_str()) ? ERROR_SUCCESS : GetLastError();
}

// Starts the batch hidden, in `job`; the handle is empty when cmd could not be started. An
// existing work folder is also given as cmd's starting folder: should the batch's cd line
// fail to name it, the command still runs there and not in this program's folder. A share is
// not: cmd would start in the Windows folder instead (the batch's pushd takes it there).
DWORD StartHidden(const std::string& batchPath, const std::string& workFolder, HANDLE job,
                  UniqueHandle& process) {
  BatchStart start;
  start.batchPath = batchPath;
  start.startFolder = IsNetworkPath(workFolder) ? TempFolder()
                      : FolderExists(workFolder) ? workFolder
                                                 : std::string();
  start.job = job;
  return StartBatchHidden(start, process);
}

// Waits for the process to end, until `deadline` (GetTickCount64); window messages that
// arrive meanwhile go to the hook. WAIT_TIMEOUT when the time is up.
DWORD WaitForEnd(HANDLE process, const RunnerHooks& hooks, ULONGLONG deadline) {
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= deadline ? 0 : static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, INFINITE - 1));
    if (!hooks.processPendingEvents) {
      const DWORD woken = WaitForSingleObject(process, left);
      return woken == WAIT_OBJECT_0 ? ERROR_SUCCESS : woken == WAIT_TIMEOUT ? WAIT_TIMEOUT : GetLastError();
    }
    const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, left, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return ERROR_SUCCESS;
    if (woken == WAIT_TIMEOUT) return WAIT_TIMEOUT;
    if (woken != WAIT_OBJECT_0 + 1) return GetLastError();
    hooks.processPendingEvents();
    // Marks what the hook left in the queue as seen, so only newer input wakes the wait.
    GetQueueStatus(QS_ALLINPUT);
  }
}

// A job whose programs all end when it is closed: what a command started never outlives it.
UniqueHandle MakeKillOnCloseJob() {
  UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) return job;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);
  return job;
}

// The last error, or `fallback` when a call failed without setting one.
DWORD ErrorOr(DWORD fallback) {
  const DWORD error = GetLastError();
  return error == ERROR_SUCCESS ? fallback : error;
}

// Stages of one run, read by its failure path.
enum class Stage { Prepare, Start, Wait, Collect };

// Starts of the batch at most, for a run in which a Wine process of the command could not
// start (see ExecDosCommand).
constexpr int kStartsAtMost = 3;

}  // namespace

std::string GetDrivePart(const std::string& folder) {
  const size_t colon = folder.find(':');
  return colon == std::string::npos ? std::string() : folder.substr(0, colon + 1);
}

std::string BatchSafePath(const std::string& path) {
  if (IsOemSafe(path)) return DoublePercent(path);
  const std::string shortForm = OemSafeForm(path);
  return DoublePercent(shortForm.empty() ? path : shortForm);
}

bool IsNetworkPath(const std::string& folder) { return folder.rfind("\\\\", 0) == 0; }

std::string BuildBatchText(const std::string& command, const std::string& folder,
                           const std::string& stdinPath, const std::string& replyPath) {
  // cmd cannot make a share its current folder: pushd maps it to a free drive letter, and
  // the mapping goes again with popd once the command has run.
  const bool share = IsNetworkPath(folder);
  return GetDrivePart(folder) + "\r\n" +
         // Quoted, so that "&" in a folder name is no command separator; cmd's cd reads a
         // trailing backslash inside the quotes ("C:\x\") as the folder itself.
         (share ? "pushd \"" : "cd \"") + BatchSafePath(folder) + "\"\r\n" +
         BatchSafeCommand(command) + "<" + RedirectionTarget(stdinPath) + " >" +
         RedirectionTarget(replyPath) + "\r\n" + (share ? "popd\r\n" : "");
}

std::string ExecDosCommand(const std::string& command, const std::string& relativeOrFull,
                           const RunnerHooks& hooks) {
  // A folder relative to a share (the program started from one) is named in full, so that
  // the batch can take cmd there.
  const std::string current = IsNetworkPath(relativeOrFull) || GetDrivePart(relativeOrFull) != ""
                                  ? std::string()
                                  : CurrentFolder();
  const std::string folder = IsNetworkPath(current)
                                 ? (relativeOrFull == "." ? current : JoinPath(current, relativeOrFull))
                                 : relativeOrFull;
  std::string result;
  Stage stage = Stage::Prepare;
  // The one failure path: true when the run must end now with `result`.
  auto failed = [&](DWORD error) {
    if (error == ERROR_SUCCESS) return false;
    if (error == ERROR_FILE_NOT_FOUND && stage == Stage::Start) return false;
    if (error == ERROR_FILE_NOT_FOUND && stage == Stage::Collect) {
      result = kRunnerErrorResult;
      return true;
    }
    if (hooks.showSystemError) hooks.showSystemError(ErrorText(error));
    return true;
  };
  auto pendingEvents = [&] {
    if (hooks.processPendingEvents) hooks.processPendingEvents();
  };

  const std::string temp = TempFolder();
  if (temp.empty()) {
    failed(ErrorOr(ERROR_PATH_NOT_FOUND));
    return result;
  }
  const std::string input = temp + kStdinFileName;
  const std::string reply = temp + kReplyFileName;
  const std::string batch = temp + kBatchFileName;
  // The batch names the work files by their long paths, which BuildBatchText makes safe for
  // cmd (short names only where the OEM code page needs them): a short name of the temporary
  // folder could come to open a sibling that another program creates meanwhile, as Wine's
  // hashed short names can be shared. The reply of an earlier run goes first (a missing one
  // is no failure): cmd makes it anew.
  if (failed(CreateOrKeep(input))) return result;
  stage = Stage::Start;
  if (failed(DeleteWorkFile(reply))) return result;
  const std::string batchText = BuildBatchText(command, folder, input, reply);
  if (!WriteFileBytes(batch, ToOem(batchText)) && failed(ErrorOr(ERROR_WRITE_FAULT))) return result;
  pendingEvents();
  // On cmd's command line "%" cannot be escaped: such a path goes by its short form. A batch
  // that cannot be found ends in "<ERROR>" below.
  const std::string batchShort = batch.find('%') != std::string::npos ? GetShortName(batch) : std::string();
  const bool useShort = !batchShort.empty();
  // Wine now and then cannot start one of its processes: its loader's heap, placed at random,
  // can cover the page every Wine process maps at 0x7ffe0000 ("failed to map the shared user
  // data"). Such a run is started again, and only such a run:
  // - cmd.exe could not start (any failure but a missing file): the command never ran.
  // - The reply is empty after cmd ended. A 7-Zip run writes its banner first, so its output
  //   never reached the file: 7z.exe could not start (cmd ends with 9009, the command never
  //   ran), or cmd's console host could not start, and 7-Zip, finding no console, was given
  //   one of its own in place of the redirection (the command ran; its reply is lost).
  // Every start must begin from the same state. The wizard's commands that may be started
  // again: extracting with overwrite (-y), testing and listing change nothing that a second
  // run would not make the same. Packing is not repeatable as it stands (7-Zip would pack the
  // first run's archive into the second), so its caller takes that archive away in
  // beforeRestart, which runs before every start after the first.
  std::string bytes;
  const ULONGLONG deadline = GetTickCount64() + (hooks.timeLimitMs ? hooks.timeLimitMs : kRunTimeLimitMs);
  for (int start = 1;; ++start) {
    const bool lastStart = start == kStartsAtMost;
    if (start > 1 && hooks.beforeRestart) hooks.beforeRestart();
    stage = Stage::Start;
    UniqueHandle process;
    // Without a job (a platform that has none) the command still runs; it could then outlive
    // the time limit's end.
    const UniqueHandle job = MakeKillOnCloseJob();
    const DWORD startError = StartHidden(useShort ? batchShort : batch, folder, job.get(), process);
    if (!lastStart && startError != ERROR_SUCCESS && startError != ERROR_FILE_NOT_FOUND) continue;
    if (failed(startError)) return result;
    pendingEvents();

    stage = Stage::Wait;
    const DWORD waited = process ? WaitForEnd(process.get(), hooks, deadline) : ERROR_SUCCESS;
    if (waited == WAIT_TIMEOUT) {
      // The command and whatever it started end with the job.
      if (job) TerminateJobObject(job.get(), 1);
      TerminateProcess(process.get(), 1);
      WaitForSingleObject(process.get(), 5000);
      return kRunnerTimedOutResult;
    }
    if (failed(waited)) return result;

    stage = Stage::Collect;
    if (!ReadFileBytes(reply, bytes) && failed(ErrorOr(ERROR_READ_FAULT))) return result;
    if (!process || !bytes.empty() || lastStart) break;
  }
  result = FromOem(bytes);
  // In this order; the first failure ends the run (a missing file with "<ERROR>").
  if (!failed(DeleteWorkFile(batch)) && !failed(DeleteWorkFile(reply))) failed(DeleteWorkFile(input));
  return result;
}

}  // namespace velk
