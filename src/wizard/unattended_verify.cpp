// /S /ACTION=verify: the check of what is installed, for scripts and launchers. It reads the
// game folder, its install record and the desktop, and writes nothing anywhere.
#include <string>
#include <vector>

#include "engine/desktop_shortcut.h"
#include "engine/install_check.h"
#include "engine/install_record.h"
#include "levels/game_folder_check.h"
#include "levels/game_layout.h"
#include "levels/level_discovery.h"
#include "support/win_handles.h"
#include "wizard/languages.h"
#include "wizard/unattended.h"

namespace velk {

int RunUnattendedVerify(const UnattendedOptions& options, ConsoleStreams& console) {
  const MessageCatalogue texts = CatalogueOf(MessageLanguage(options));
  auto say = [&console](const std::string& text) { console.Err(text + "\r\n"); };
  const std::optional<std::string> chosen = UnattendedGameFolder(options, texts, say, say);
  if (!chosen) return kUnattendedBadStart;
  std::string gameDir = *chosen;
  if (!CheckPath(gameDir)) {
    say(FormatText(texts.MsgWrongGameDir, ""));
    say(FormatText(texts.MsgFolderTried, *chosen));
    return kUnattendedBadStart;
  }
  std::vector<LevelEntry> levels;
  GetInstLevels(gameDir, levels);
  const RecordReading reading = ReadInstallRecord(
      gameDir + layout::kModsDirSuffix + layout::kModFolderPrefix + layout::kModTag, gameDir);
  for (const std::string& ignored : reading.ignored) say(ignored);
  const ComScope com;  // the desktop folder is asked through the shell
  const std::string shortcut = ShortcutPath(reading.record, texts, nullptr);
  const InstallCheck check = CheckInstalledMod(gameDir, reading.record, levels, shortcut, texts);
  if (!check.installed) {
    console.Out(FormatText(texts.VerifyNotInstalled, "") + "\r\n");
    return kUnattendedNotInstalled;
  }
  for (const InstallFinding& finding : check.findings) console.Out(finding.text + "\r\n");
  const bool repair = check.NeedsRepair();
  console.Out(FormatText(repair ? texts.VerifyRepairNeeded : texts.VerifyAllWell, "") + "\r\n");
  return repair ? kUnattendedErrors : kUnattendedDone;
}

}  // namespace velk
