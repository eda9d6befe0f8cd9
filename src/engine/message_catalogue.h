#pragma once
// The texts the wizard shows, in the current language. The wizard fills it (wizard/languages);
// the engine reads it. Texts use "|" for a line break and "'" for a double quote
// and are shown through FormatText.
#include <array>
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
  // The unattended mode without a game folder named or remembered: the single installation
  // found (%s), none, or several (the list follows).
  std::string MsgGameFound, MsgNoGameFound, MsgSeveralGamesFound;
  // A check before the first change failed, so nothing was changed: a payload archive (%s
  // names it); too little space (%s lists the drives, each with MsgSpaceNeeded and
  // MsgSpaceFree, whose %s is megabytes); the setup's own folder (%s) cannot be written; the
  // game is running (%s: the file it holds). Then the question: back to the choices, or close.
  std::string MsgPayloadBroken, MsgNotEnoughSpace, MsgSpaceNeeded, MsgSpaceFree,
      MsgSetupFolderReadOnly, MsgGameRunning, MsgBackOrExit;
  // Started from inside its archive, the setup stands alone in the archiver's temporary
  // folder: it says so instead of MsgPayloadBroken or MsgFileNotFound.
  std::string MsgUnpackArchiveFirst;
  // The unattended mode's own texts. Its notes on choices that could not apply, and the
  // reasons a switch is refused: where a name or value is %s, it comes with its own single
  // quotes (in a text, "'" is a double quote).
  std::string NoteSkinsNeedScripts, NoteComponentsIgnored, NoteLevelNotOffered, NoteLevelsIgnored;
  std::string SwitchUnknown, SwitchTakesNoValue, SwitchNeedsFolder, SwitchNeedsFile,
      SwitchUnknownAction, SwitchUnknownComponent, SwitchNeedsSeconds, SwitchUnknownLanguage;
  // /D= and /DIR= name two different folders (%s: both, quoted).
  std::string SwitchFoldersDisagree;
  // /LEVELS= (%s) left no level ticked, the levels offered follow; the second line of "Wrong Far Cry folder!" (%s: the folder
  // as given); the copy of the run log that /LOG= asked for failed (%s: the file).
  std::string MsgNoLevelChosen, MsgFolderTried, MsgLogNotCopied;
  // A file of the run (%s) could not be written: a full disk, or the file held open.
  std::string MsgWriteFailed;
  // The check of what is installed (/ACTION=verify, and the window on page 1): one text per
  // finding, %s the level's name (the folder or the shortcut's name for the first and last);
  // then the verdict. MsgRepairAdvised's %s lists the findings.
  std::string VerifyModFolderMissing, VerifyLevelGone, VerifySwitchedOff, VerifyArchiveMissing,
      VerifyScriptMissing, VerifyScriptReplaced, VerifyBackupMissing, VerifyLevelPakChanged,
      VerifyShortcutMissing, VerifyAllWell, VerifyRepairNeeded, VerifyNotInstalled, MsgRepairAdvised;
  // The file /LOG= names (%s) is refused before anything changes: it cannot be written safely
  // (a link, no file path), it is a file of the game folder, or one of the setup's own.
  std::string MsgLogCopyUnsafe, MsgLogCopyInGame, MsgLogCopyOfSetup;
};

// Every entry of the catalogue, with its name: for walking all texts (a language that lacks
// one takes the fallback language's, tests compare them all).
struct CatalogueEntry {
  const char* name;
  std::string MessageCatalogue::*text;
};
#define VELK_ENTRY(name) CatalogueEntry{#name, &MessageCatalogue::name}
inline constexpr std::array kCatalogueEntries = {
    VELK_ENTRY(MsgDisableMod),     VELK_ENTRY(MsgEnableMod),     VELK_ENTRY(MsgMouseCursor),
    VELK_ENTRY(MsgWeaponSkins),    VELK_ENTRY(MsgExtracting),    VELK_ENTRY(MsgSelectMaps),
    VELK_ENTRY(MsgInstallScripts), VELK_ENTRY(MsgInstallMaps),   VELK_ENTRY(MsgUninstallMod),
    VELK_ENTRY(MsgRepair),         VELK_ENTRY(MsgInstallMod),    VELK_ENTRY(MsgRemoveOld),
    VELK_ENTRY(MsgPathHint),       VELK_ENTRY(MsgWelcome),       VELK_ENTRY(ModDescSource),
    VELK_ENTRY(MsgShortcutName),   VELK_ENTRY(MsgErrorOccurred), VELK_ENTRY(MsgFileNotFound),
    VELK_ENTRY(MsgExtractError),   VELK_ENTRY(MsgChooseGameDir), VELK_ENTRY(MsgExit),
    VELK_ENTRY(MsgExtractingFile), VELK_ENTRY(MsgLevelUpdated),  VELK_ENTRY(MsgWrongGameDir),
    VELK_ENTRY(MsgNone),           VELK_ENTRY(MsgCreating),      VELK_ENTRY(MsgComplete),
    VELK_ENTRY(MsgNoWriteAccess),  VELK_ENTRY(MsgRestartElevated), VELK_ENTRY(MsgLevelPakBroken),
    VELK_ENTRY(MsgScriptNotKept),  VELK_ENTRY(MsgAlreadyRunning), VELK_ENTRY(MsgSetupBusy),
    VELK_ENTRY(MsgGameFound),      VELK_ENTRY(MsgNoGameFound),    VELK_ENTRY(MsgSeveralGamesFound),
    VELK_ENTRY(MsgPayloadBroken),  VELK_ENTRY(MsgNotEnoughSpace), VELK_ENTRY(MsgSpaceNeeded),
    VELK_ENTRY(MsgSpaceFree),      VELK_ENTRY(MsgSetupFolderReadOnly), VELK_ENTRY(MsgGameRunning),
    VELK_ENTRY(MsgBackOrExit),     VELK_ENTRY(MsgUnpackArchiveFirst),
    VELK_ENTRY(NoteSkinsNeedScripts), VELK_ENTRY(NoteComponentsIgnored),
    VELK_ENTRY(NoteLevelNotOffered), VELK_ENTRY(NoteLevelsIgnored),
    VELK_ENTRY(SwitchUnknown),     VELK_ENTRY(SwitchTakesNoValue), VELK_ENTRY(SwitchNeedsFolder),
    VELK_ENTRY(SwitchNeedsFile),   VELK_ENTRY(SwitchUnknownAction),
    VELK_ENTRY(SwitchUnknownComponent), VELK_ENTRY(SwitchNeedsSeconds),
    VELK_ENTRY(SwitchUnknownLanguage), VELK_ENTRY(MsgNoLevelChosen), VELK_ENTRY(MsgFolderTried),
    VELK_ENTRY(MsgLogNotCopied),   VELK_ENTRY(MsgWriteFailed),
    VELK_ENTRY(VerifyModFolderMissing), VELK_ENTRY(VerifyLevelGone), VELK_ENTRY(VerifySwitchedOff),
    VELK_ENTRY(VerifyArchiveMissing), VELK_ENTRY(VerifyScriptMissing), VELK_ENTRY(VerifyScriptReplaced),
    VELK_ENTRY(VerifyBackupMissing), VELK_ENTRY(VerifyLevelPakChanged), VELK_ENTRY(VerifyShortcutMissing),
    VELK_ENTRY(VerifyAllWell), VELK_ENTRY(VerifyRepairNeeded), VELK_ENTRY(VerifyNotInstalled),
    VELK_ENTRY(MsgRepairAdvised),    VELK_ENTRY(SwitchFoldersDisagree), VELK_ENTRY(MsgLogCopyUnsafe),
    VELK_ENTRY(MsgLogCopyInGame),  VELK_ENTRY(MsgLogCopyOfSetup),
};
#undef VELK_ENTRY

// The display form: every "|" becomes CR LF, then every "'" a double quote, then every "%s"
// the argument (inserted last, so its own "|" and "'" stay).
std::string FormatText(const std::string& text, const std::string& argument);

}  // namespace velk
