#pragma once
// The mod's level scripts as the map payload holds them: what tells a level script put in
// place by an earlier version of this wizard (which kept no install record) from any other.
#include <optional>
#include <string>

#include "engine/wizard_session.h"
#include "engine/run_events.h"

namespace velk {

class PayloadScripts {
 public:
  PayloadScripts(WizardSession& session, RunEvents& events) : session_(session), ui_(events) {}
  ~PayloadScripts();
  PayloadScripts(const PayloadScripts&) = delete;
  PayloadScripts& operator=(const PayloadScripts&) = delete;

  // The bytes of the payload's script `leaf` of `level`: from the unpacked work folder, or
  // (unpacked on first need into a private temporary folder) from mapfiles.7z. Nothing when
  // the payload has no such script.
  std::optional<std::string> Script(const std::string& level, const std::string& leaf);

 private:
  WizardSession& session_;
  RunEvents& ui_;
  bool unpacked_ = false;
  std::string privateFolder_;
};

}  // namespace velk
