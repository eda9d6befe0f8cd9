#pragma once
// Runs one console command through a batch file in the temporary folder, hidden, waits for
// it and returns what it wrote to standard output.
#include <functional>
#include <string>

#include "support/short_path.h"

namespace velk {

// Work file names in the temporary folder. Fixed, so only one command runs at a time.
inline constexpr const char* kBatchFileName = "Batch.bat";
inline constexpr const char* kStdinFileName = "DOSSTDIN.txt";
inline constexpr const char* kReplyFileName = "DOSReply.txt";
inline constexpr const char* kRunnerErrorResult = "<ERROR>";
// The result of a command that had not ended when its time was up: it was ended, with
// everything it had started.
inline constexpr const char* kRunnerTimedOutResult = "<ERROR: no end within the time limit>";
// How long a command may run: generous for a slow disk (unpacking the maps of every level or
// testing a large payload takes seconds to a few minutes), yet not for ever.
inline constexpr unsigned kRunTimeLimitMs = 30u * 60u * 1000u;

struct RunnerHooks {
  // Called just before and just after the start, and whenever window messages arrive while
  // the command runs, so that the window keeps painting.
  std::function<void()> processPendingEvents;
  // Shows the platform's description of an unexpected failure (OK button, no icon).
  std::function<void(const std::string&)> showSystemError;
  // Called before the command is started again after a lost run (see ExecDosCommand): takes
  // away what that run may have made, so that every start begins from the same state.
  std::function<void()> beforeRestart;
  // How long the command may run; 0 for kRunTimeLimitMs.
  unsigned timeLimitMs = 0;
};

// Runs `command` in `folder` and returns its standard output converted from the OEM code
// page; "<ERROR>" when the reply file is missing after the run; empty text after a failure
// that was shown through showSystemError. A run in which cmd.exe could not start, or whose
// reply is empty, is started again, three starts at most (command_runner.cpp says why): a
// command that writes nothing runs three times. A command still running when its time limit
// is up is ended with everything it started, and kRunnerTimedOutResult comes back.
std::string ExecDosCommand(const std::string& command, const std::string& folder,
                           const RunnerHooks& hooks = {});

// The text from the first character up to and including the first ":"; empty without one.
std::string GetDrivePart(const std::string& folder);
// GetShortName (the short form of an existing path) lives in support/short_path.h.

// A path written so that cmd reads it from an OEM batch file: itself when every character
// exists in the OEM code page, otherwise with each name the code page cannot hold in its
// checked short form (support/short_path). "%" is doubled in either case, so cmd does not
// expand it.
std::string BatchSafePath(const std::string& path);

// True for a path on a network share ("\\server\share\...").
bool IsNetworkPath(const std::string& folder);

// The three-line batch text (UTF-8, before conversion to OEM): the drive line, the quoted cd
// line, and the command with its redirections. Quoted parts of `command` are made batch-safe.
// A share is entered with pushd instead of cd, and left with a fourth line, popd.
std::string BuildBatchText(const std::string& command, const std::string& folder,
                           const std::string& stdinPath, const std::string& replyPath);

}  // namespace velk
