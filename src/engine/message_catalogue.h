#pragma once
// The texts the wizard shows, in the current language. The wizard fills it (wizard/languages);
// the engine reads it. Texts use "|" for a line break and "'" for a double quote
// and are shown through FormatText.
#include <array>
#include <string>

namespace velk {

// Every text of the catalogue, once: the member of MessageCatalogue and its entry in
// kCatalogueEntries both come from this list. Adding a text is one X(Name) here, and the text
// in each language's catalogue.
#define VELK_CATALOGUE_TEXTS(X) \
  X(MsgDisableMod) X(MsgEnableMod) X(MsgMouseCursor) X(MsgWeaponSkins) X(MsgExtracting)        \
  X(MsgSelectMaps) X(MsgInstallScripts) X(MsgInstallMaps) X(MsgUninstallMod) X(MsgRepair)      \
  X(MsgInstallMod) X(MsgRemoveOld) X(MsgPathHint) X(MsgWelcome) X(ModDescSource)               \
  X(MsgShortcutName) X(MsgErrorOccurred) X(MsgFileNotFound) X(MsgExtractError)                 \
  X(MsgChooseGameDir) X(MsgExit) X(MsgExtractingFile) X(MsgLevelUpdated) X(MsgWrongGameDir)    \
  X(MsgNone) X(MsgCreating) X(MsgComplete)                                                     \
  /* A game folder (or one of its level folders) the wizard may not write to; %s names it. */  \
  X(MsgNoWriteAccess) X(MsgRestartElevated)                                                    \
  /* A level that was not converted; %s names it: its level.pak cannot give the mod what it    \
     needs, or its stock script cannot be kept safely. */                                      \
  X(MsgLevelPakBroken) X(MsgScriptNotKept)                                                     \
  /* Another instance of the wizard (window or unattended) is at work; MsgSetupBusy's %s is    \
     how many seconds the unattended mode waited for it. */                                    \
  X(MsgAlreadyRunning) X(MsgSetupBusy)                                                         \
  /* The unattended mode without a game folder named or remembered: the single installation    \
     found (%s), none, or several (the list follows). */                                       \
  X(MsgGameFound) X(MsgNoGameFound) X(MsgSeveralGamesFound)                                    \
  /* A check before the first change failed, so nothing was changed: a payload archive (%s     \
     names it); too little space (%s lists the drives, each with MsgSpaceNeeded and            \
     MsgSpaceFree, whose %s is megabytes); the setup's own folder (%s) cannot be written;      \
     the game is running (%s: the file it holds). Then the question: back to the choices,      \
     or close. */                                                                              \
  X(MsgPayloadBroken) X(MsgNotEnoughSpace) X(MsgSpaceNeeded) X(MsgSpaceFree)                   \
  X(MsgSetupFolderReadOnly) X(MsgGameRunning) X(MsgBackOrExit)                                 \
  /* Started from inside its archive, the setup stands alone in the archiver's temporary       \
     folder: it says so instead of MsgPayloadBroken or MsgFileNotFound. */                     \
  X(MsgUnpackArchiveFirst)                                                                     \
  /* The unattended mode's own texts. Its notes on choices that could not apply, and the       \
     reasons a switch is refused: where a name or value is %s, it comes with its own single    \
     quotes (in a text, "'" is a double quote). */                                             \
  X(NoteSkinsNeedScripts) X(NoteComponentsIgnored) X(NoteLevelNotOffered)                      \
  X(NoteLevelsIgnored)                                                                         \
  X(SwitchUnknown) X(SwitchTakesNoValue) X(SwitchNeedsFolder) X(SwitchNeedsFile)               \
  X(SwitchUnknownAction) X(SwitchUnknownComponent) X(SwitchNeedsSeconds)                       \
  X(SwitchUnknownLanguage)                                                                     \
  /* /D= and /DIR= name two different folders (%s: both, quoted). */                           \
  X(SwitchFoldersDisagree)                                                                     \
  /* /LEVELS= (%s) left no level ticked, the levels offered follow; the second line of         \
     "Wrong Far Cry folder!" (%s: the folder as given); the copy of the run log that /LOG=     \
     asked for failed (%s: the file). */                                                       \
  X(MsgNoLevelChosen) X(MsgFolderTried) X(MsgLogNotCopied)                                     \
  /* A file of the run (%s) could not be written: a full disk, or the file held open. */       \
  X(MsgWriteFailed)                                                                            \
  /* The check of what is installed (/ACTION=verify, and the window on page 1): one text       \
     per finding, %s the level's name (the folder or the shortcut's name for the first and     \
     last); then the verdict. MsgRepairAdvised's %s lists the findings. */                     \
  X(VerifyModFolderMissing) X(VerifyLevelGone) X(VerifySwitchedOff) X(VerifyArchiveMissing)    \
  X(VerifyScriptMissing) X(VerifyScriptReplaced) X(VerifyBackupMissing)                        \
  X(VerifyLevelPakChanged) X(VerifyShortcutMissing) X(VerifyAllWell) X(VerifyRepairNeeded)     \
  X(VerifyNotInstalled) X(MsgRepairAdvised)                                                    \
  /* The file /LOG= names (%s) is refused before anything changes: it cannot be written        \
     safely (a link, no file path), it is a file of the game folder, or one of the setup's     \
     own. */                                                                                   \
  X(MsgLogCopyUnsafe) X(MsgLogCopyInGame) X(MsgLogCopyOfSetup)

struct MessageCatalogue {
#define VELK_MEMBER(name) std::string name;
  VELK_CATALOGUE_TEXTS(VELK_MEMBER)
#undef VELK_MEMBER
};

// Every entry of the catalogue, with its name: for walking all texts (a language that lacks
// one takes the fallback language's, tests compare them all).
struct CatalogueEntry {
  const char* name;
  std::string MessageCatalogue::*text;
};
#define VELK_ENTRY(name) CatalogueEntry{#name, &MessageCatalogue::name},
inline constexpr std::array kCatalogueEntries = {VELK_CATALOGUE_TEXTS(VELK_ENTRY)};
#undef VELK_ENTRY

// The display form: every "|" becomes CR LF, then every "'" a double quote, then every "%s"
// the argument (inserted last, so its own "|" and "'" stay).
std::string FormatText(const std::string& text, const std::string& argument);

}  // namespace velk
