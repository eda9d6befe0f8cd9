#pragma once
// What the engine tells the outside while it works: run log lines, status lines, progress,
// messages and questions, and a chance for the window to paint. The window and the console
// implement it; an engine function takes it only where it reports.
#include <memory>
#include <string>

#include "support/run_log.h"

namespace velk {

// The user's answer when a check before the first change failed.
enum class StopAnswer { Retry, Back, Exit };

// The lines of text the wizard shows of the run: the game folder as checked (tidied), and the
// lines of the progress and completion pages.
enum class StatusLine { GameFolder, Step, Level, Summary };

class RunEvents {
 public:
  virtual ~RunEvents() = default;

  // Where the run's lines go (<GameDir>\velk.log), from the moment the game folder is taken;
  // before that a line goes nowhere. The log stays open until EndLog or the end of this object.
  void LogTo(std::string logFile) { log_ = std::make_unique<RunLogWriter>(std::move(logFile)); }
  // Closes the run log, so that it can be copied whole.
  void EndLog() { log_.reset(); }
  // One line in the run log; a line that cannot be written is lost, the work goes on.
  void LogLine(const std::string& text) const;

  virtual void ShowStatus(StatusLine line, const std::string& text) = 0;
  // The progress bar (range 1 to 20); false when the value is outside the range (refused).
  virtual bool SetProgress(int value) = 0;

  // Modal message with the error icon and a single OK button.
  virtual void ShowError(const std::string& text) = 0;
  // Modal message with an OK button and no icon (the command runner's platform errors).
  virtual void ShowNotice(const std::string& text) = 0;
  // A check before the first change failed: shows `message` (with Retry and Cancel when
  // `canRetry`), then asks `question`: back to the choices page, or close the wizard.
  virtual StopAnswer AskAfterStop(const std::string& message, bool canRetry,
                                  const std::string& question) = 0;
  // Asks with Yes and No whether to start the wizard again with the rights it lacks, and does
  // so on Yes; true when the elevated wizard was started and this one is closing. Without a
  // window there is no one to ask.
  virtual bool OfferElevatedRestart(const std::string& /*question*/) { return false; }
  // Tells the user, without a question, that the installed mod needs a repair. Only the window
  // says so: the unattended mode has its own action for the check.
  virtual void AdviseRepair(const std::string& /*text*/) {}

  // Lets the window paint and handle timer ticks while work runs.
  virtual void ProcessPendingEvents() = 0;
  // The window handle for shell calls; nullptr without a window.
  virtual void* OwnerWindow() = 0;

 private:
  std::unique_ptr<RunLogWriter> log_;
};

}  // namespace velk
