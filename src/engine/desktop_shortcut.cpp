#include "engine/desktop_shortcut.h"

#include "engine/engine_io.h"
#include "engine/install_run.h"
#include "engine/level_scripts.h"
#include "levels/game_layout.h"
#include "support/file_helpers.h"
#include "support/shell.h"

namespace velk {
namespace {

std::string CatalogueName(const MessageCatalogue& texts) {
  return FormatText(texts.MsgShortcutName, "") + layout::kLinkExtension;
}

std::string RecordedName(const InstallRecord& record, const MessageCatalogue& texts) {
  return record.shortcut.empty() ? CatalogueName(texts) : record.shortcut;
}

std::string Desktop(void* ownerWindow) {
  std::string desktop;
  return GetSpecialFolder(ownerWindow, kDesktopFolderId, desktop) ? desktop : std::string();
}

}  // namespace

std::string ShortcutPath(const InstallRecord& record, const MessageCatalogue& texts, void* ownerWindow) {
  const std::string desktop = Desktop(ownerWindow);
  return desktop.empty() ? std::string() : desktop + "\\" + RecordedName(record, texts);
}

void PlaceShortcut(WizardSession& session, RunEvents& events) {
  events.LogLine("Creating shortcut");
  const std::string desktop = Desktop(events.OwnerWindow());
  if (desktop.empty()) return;
  const std::string existing = desktop + "\\" + RecordedName(session.Record, session.Texts);
  if (FileExists(existing)) DeleteFileAt(existing);
  const std::string name = CatalogueName(session.Texts);
  const std::string gameExe = session.Request.gameDir + layout::kGameExe;
  CreateShortcut(desktop + "\\" + name, gameExe, session.Request.gameDir + layout::kBin32,
                 "-Mod:" + ModFolderName(session), gameExe, layout::kShortcutIconIndex, kShowCmdShow);
  // Without the mod folder there is no record to keep it in (an install of neither part).
  if (session.Record.shortcut == name || !FolderExists(ModFolderPath(session))) return;
  session.Record.shortcut = name;
  SaveInstallRecord(session, events);
}

void RemoveShortcut(const WizardSession& session, RunEvents& events) {
  events.LogLine("Removing shortcut");
  const std::string link = ShortcutPath(session.Record, session.Texts, events.OwnerWindow());
  if (!link.empty()) DeleteLogged(events, link, link);
}

}  // namespace velk
