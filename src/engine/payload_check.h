#pragma once
// A payload archive checked before anything is unpacked from it: present, intact by 7-Zip's own
// test, and holding only the one top folder the install expects.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/wizard_session.h"

#include "engine/run_events.h"

namespace velk {

struct PayloadCheck {
  bool ok = false;
  // Why not, for the run log ("is missing", "failed 7-Zip's test: <its last words>", ...).
  std::string problem;
  // The bytes its files take once unpacked.
  std::uint64_t unpackedBytes = 0;
  // Its files, as the test named them (paths that begin with the top folder).
  std::vector<std::string> files;
};

// Checks `archive` in the session's AppDir with the archiver there; every entry must lie below
// `topFolder`.
PayloadCheck CheckPayload(const WizardSession& session, RunEvents& events, const std::string& archive,
                          const std::string& topFolder);

}  // namespace velk
