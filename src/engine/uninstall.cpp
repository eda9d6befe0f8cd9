#include "engine/uninstall.h"

#include <string>

#include "engine/engine_io.h"
#include "engine/level_removal.h"
#include "support/file_helpers.h"

namespace velk {
namespace {

void RemoveModFolder(const WizardSession& session, WizardUi& ui) {
  const std::string modFolder = session.ModsDir + ModFolderName(session);
  if (!FolderExists(modFolder)) return;
  LogLine(ui, (RemoveFolderTree(modFolder) ? "Deleted " : "Could not delete ") + modFolder);
}

}  // namespace

void UninstallMod(WizardSession& session, WizardUi& ui) {
  LogLine(ui, "Deleting pak files");
  RemoveModFromLevels(session, ui, /*heading=*/true);
  LogLine(ui, "Deleting " + session.ModTag + "-Dir");
  // The install record goes with the mod folder, once everything it names is undone.
  RemoveModFolder(session, ui);
  session.Uninstalled = true;
}

}  // namespace velk
