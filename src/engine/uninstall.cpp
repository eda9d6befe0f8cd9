#include "engine/uninstall.h"

#include <string>

#include "engine/engine_io.h"
#include "engine/level_removal.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

void RemoveModFolder(const WizardSession& session, RunEvents& events) {
  const std::string modFolder = session.ModsDir + ModFolderName(session);
  if (!FolderExists(modFolder)) return;
  events.LogLine((RemoveFolderTree(modFolder) ? "Deleted " : "Could not delete ") + modFolder);
}

}  // namespace

void UninstallMod(WizardSession& session, RunEvents& events) {
  events.LogLine("Deleting pak files");
  RemoveModFromLevels(session, events, /*heading=*/true);
  events.LogLine("Deleting " + session.ModTag + "-Dir");
  // The install record goes with the mod folder, once everything it names is undone.
  RemoveModFolder(session, events);
  session.Uninstalled = true;
}

}  // namespace velk
