#pragma once
// The texts the wizard shows, in the current language. The wizard fills it (English or
// German); the engine reads it. Texts use "|" for a line break and "'" for a double quote
// and are shown through FormatText.
#include <string>

namespace velk {

struct MessageCatalogue {
  std::string MsgDisableMod, MsgEnableMod, MsgMouseCursor, MsgWeaponSkins, MsgExtracting,
      MsgSelectMaps, MsgInstallScripts, MsgInstallMaps, MsgUninstallMod, MsgRepair,
      MsgInstallMod, MsgRemoveOld, MsgPathHint, MsgWelcome, ModDescSource, MsgShortcutName,
      MsgErrorOccurred, MsgFileNotFound, MsgExtractError, MsgChooseGameDir, MsgExit,
      MsgExtractingFile, MsgLevelUpdated, MsgWrongGameDir, MsgNone, MsgCreating, MsgComplete;
  // A game folder (or one of its level folders) the wizard may not write to; %s names it.
  std::string MsgNoWriteAccess, MsgRestartElevated;
  // A level that was not converted; %s names it: its level.pak cannot give the mod what it
  // needs, or its stock script cannot be kept safely.
  std::string MsgLevelPakBroken, MsgScriptNotKept;
  // Another instance of the wizard (window or unattended) is at work; MsgSetupBusy's %s is
  // how many seconds the unattended mode waited for it.
  std::string MsgAlreadyRunning, MsgSetupBusy;
};

// The display form: every "|" becomes CR LF, then every "'" a double quote, then every "%s"
// the argument (inserted last, so its own "|" and "'" stay).
std::string FormatText(const std::string& text, const std::string& argument);

}  // namespace velk
