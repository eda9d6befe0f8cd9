#pragma once
// Removing the program's own file after it has ended: a running program cannot delete its
// executable, so it leaves a small batch file, Kill.bat, that retries until the program has
// gone and then deletes itself.
#include <string>

namespace velk {

// How often Kill.bat tries to delete the executable, with a pause of about a second between
// two tries: an executable that can never be deleted does not keep the batch running.
inline constexpr int kKillBatchAttempts = 5;

struct SelfRemovalPaths {
  std::string exePath;  // appDir + "\" + name + ".exe"
  std::string batPath;  // appDir + "\" + the batch file's name (Kill.bat)
};

// The executable's and the batch file `batchName`'s paths for the program file `exeFileName`
// (a leaf name; its extension is replaced by ".exe") in `appDir`. A drive root ("C:\", shorter
// than four characters) already ends in a backslash and gets none added.
SelfRemovalPaths SelfRemovalPathsFor(const std::string& appDir, const std::string& exeFileName,
                                     const std::string& batchName);

// The batch text exactly as written, in the OEM code page that cmd reads batch files in.
// Both paths are made batch-safe (short form where the OEM code page lacks a character, "%"
// doubled), so they should exist, at least up to their folder, when this is called.
std::string BuildKillBatchBytes(const std::string& exePath, const std::string& batPath);

// Clears the executable's attributes when any is set, writes the batch file and starts it
// hidden through cmd.exe without waiting. False when the batch file could not be written or
// started; the caller ends the program either way.
bool StartSelfRemoval(const std::string& appDir, const std::string& exeFileName,
                      const std::string& batchName);

// The same for the running program's own file.
bool StartOwnSelfRemoval(const std::string& appDir, const std::string& batchName);

}  // namespace velk
