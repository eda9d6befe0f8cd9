// The wizard's texts in English.
#include "wizard/catalogue.h"

namespace velk {

MessageCatalogue EnglishCatalogue() {
  MessageCatalogue t;
  t.MsgDisableMod = "Disable VELK Mod";
  t.MsgEnableMod = "Enable VELK Mod";
  t.MsgMouseCursor = "New mousecursor";
  t.MsgWeaponSkins = "New weaponskins";
  t.MsgExtracting = "Extracting...";
  t.MsgSelectMaps = "Select which maps to update:";
  t.MsgInstallScripts = "Install scripts";
  t.MsgInstallMaps = "Install maps";
  t.MsgUninstallMod = "Uninstall VELK Mod";
  t.MsgRepair = "Repair installed version";
  t.MsgInstallMod = "Install VELK Mod";
  t.MsgRemoveOld = "Remove old version(s)";
  t.MsgPathHint = "Note:|The path will be saved for subsequent installations.";
  t.MsgWelcome =
      "Welcome to the VELK Mod %s Setup program.||"
      "This is an unfinished alpha version which does contain errors and -may- screw up your "
      "system. Use at your own risk.|"
      "To be safe you can make a backup of the folder \"Levels\", but since no original data "
      "is deleted or changed this should not be necessary. The whole process can be reverted.|||"
      "Please specify the path to your Far Cry directory:";
  t.ModDescSource = "ModDesc.en.txt";
  t.MsgShortcutName = "Far Cry VELK";
  t.MsgErrorOccurred = "An error occured!";
  t.MsgFileNotFound = "File '%s' not found!";
  t.MsgExtractError =
      "Error extracting '%s'!|Please make sure that 7-Zip is installed, if the problem still "
      "exists send me the the logfile (velk.log in the Far Cry main dir)!";
  t.MsgChooseGameDir = "Choose the Far Cry directory!";
  t.MsgExit = "Exit";
  t.MsgExtractingFile = "extracting '%s'...";
  t.MsgLevelUpdated = "Level updated:";
  t.MsgWrongGameDir = "Wrong Far Cry folder!";
  t.MsgNone = "none";
  t.MsgCreating = "creating '%s'...";
  t.MsgComplete = "Complete!";
  t.MsgNoWriteAccess =
      "No write access to '%s'!|Nothing was changed. Please start the setup as administrator.";
  t.MsgRestartElevated =
      "No write access to '%s'!|Nothing was changed. Start the setup again as administrator?";
  t.MsgLevelPakBroken =
      "Level '%s' was not converted:|its level.pak is missing, damaged or lacks the files the mod "
      "needs. The level keeps its own script.";
  t.MsgScriptNotKept =
      "Level '%s' was not converted:|its script could not be backed up safely (see velk.log). "
      "The level was left as it was.";
  t.MsgAlreadyRunning = "The VELK Mod setup wizard is already running.";
  t.MsgSetupBusy =
      "Another VELK Mod setup is still at work after %s seconds of waiting. Nothing was changed; "
      "run this one again once the other has finished.";
  t.MsgGameFound = "Far Cry found in %s: using that folder.";
  t.MsgNoGameFound =
      "No Far Cry folder is remembered and none was found on this computer. Name it with /D=.";
  t.MsgSeveralGamesFound = "Several Far Cry installations were found. Name one with /D=:";
  t.MsgPayloadBroken =
      "The setup file '%s' is missing or damaged.|Nothing was changed. Please download the setup "
      "again.";
  t.MsgUnpackArchiveFirst =
      "The setup was started from inside its archive, without its other files.|Nothing was "
      "changed. Please unpack the whole archive into a folder first (right-click it, 'Extract "
      "All...') and start VelkSetup.exe from there.";
  t.MsgNotEnoughSpace = "There is not enough free disk space:|%s|Nothing was changed. Please free "
                        "some space and try again.";
  t.MsgSpaceNeeded = "%s MB needed";
  t.MsgSpaceFree = "%s MB free";
  t.MsgSetupFolderReadOnly =
      "The setup cannot write to its own folder '%s', where it unpacks the maps.|Nothing was "
      "changed. Please copy the setup files into a folder of your own (for example in your "
      "documents) and start it from there.";
  t.MsgGameRunning =
      "Far Cry is running: '%s' is in use.|Nothing was changed. Please close the game, then "
      "press Retry.";
  t.MsgBackOrExit = "Go back to the choices? (No closes the setup.)";
  t.NoteSkinsNeedScripts = "The mouse cursor and the weapon skins come with the scripts only: left out";
  t.NoteComponentsIgnored = "/COMPONENTS= applies to an install only: ignored";
  t.NoteLevelNotOffered = "Level %s is not offered: skipped";
  t.NoteLevelsIgnored = "No maps are installed: /LEVELS= ignored";
  t.SwitchUnknown = "Unknown switch %s";
  t.SwitchTakesNoValue = "The switch %s takes no value";
  t.SwitchNeedsFolder = "%s needs the game folder";
  t.SwitchNeedsFile = "%s needs a file name";
  t.SwitchUnknownAction = "Unknown action %s (install, repair, uninstall or toggle)";
  t.SwitchUnknownComponent = "Unknown component %s (scripts, cursor, skins, maps)";
  t.SwitchNeedsSeconds = "/WAIT= needs a number of seconds (0 to 99999)";
  t.SwitchUnknownLanguage = "Unknown language %s";
  t.MsgNoLevelChosen = "No level was converted: %s names none of the levels offered:";
  t.MsgFolderTried = "Folder tried: '%s'";
  t.MsgLogNotCopied = "The run log could not be copied to '%s'!";
  t.MsgWriteFailed = "Could not write '%s'!|The disk may be full, or the file is in use.";
  t.VerifyModFolderMissing = "The mod folder '%s' is missing, but level archives of the mod are left.";
  t.VerifyLevelGone = "Level %s: its folder is gone.";
  t.VerifySwitchedOff = "Level %s: the mod is switched off.";
  t.VerifyArchiveMissing = "Level %s: the mod archive levelvelk.pak is missing.";
  t.VerifyScriptMissing = "Level %s: its script is missing.";
  t.VerifyScriptReplaced = "Level %s: the original script of the game is back in place of the mod script.";
  t.VerifyBackupMissing = "Level %s: the backup of the original script is missing.";
  t.VerifyLevelPakChanged = "Level %s: its level.pak changed after the mod archive was built from it.";
  t.VerifyShortcutMissing = "The desktop shortcut '%s' is missing.";
  t.VerifyAllWell = "The VELK Mod is installed as it should be.";
  t.VerifyRepairNeeded = "A repair is needed: run the setup again with /ACTION=install.";
  t.VerifyNotInstalled = "The VELK Mod is not installed in this game folder.";
  t.MsgRepairAdvised = "The installed VELK Mod has changed since it was installed:|%s||'Repair installed version' mends it.";
  t.SwitchFoldersDisagree = "/D= and /DIR= name different folders: %s. Name the game folder once";
  t.MsgLogCopyUnsafe =
      "/LOG= names '%s', which cannot be written safely (a link, or no file path).|Nothing was "
      "changed.";
  t.MsgLogCopyInGame =
      "/LOG= names '%s', inside the game folder.|There, only a file of its own directly in the "
      "game folder whose name ends in .log (not velk.log) may take the copy. Nothing was changed.";
  t.MsgLogCopyOfSetup = "/LOG= names '%s', a file of the setup itself.|Nothing was changed.";
  return t;
}

}  // namespace velk
