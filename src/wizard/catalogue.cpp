#include "wizard/catalogue.h"

namespace velk {

bool IsGermanCode(const std::string& languageCode) { return languageCode == "1031"; }

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
  return t;
}

MessageCatalogue GermanCatalogue() {
  MessageCatalogue t;
  t.MsgDisableMod = "VELK Mod deaktivieren";
  t.MsgEnableMod = "VELK Mod aktivieren";
  t.MsgMouseCursor = "Neuer Mauscursor";
  t.MsgWeaponSkins = "Neue Waffenskins";
  t.MsgExtracting = "Entpacke...";
  t.MsgSelectMaps = "Zu aktualisierende Maps auswählen:";
  t.MsgInstallScripts = "Installiere Scripts";
  t.MsgInstallMaps = "Installiere Maps";
  t.MsgUninstallMod = "VELK Mod deinstallieren";
  t.MsgRepair = "Vorhandene Version reparieren";
  t.MsgInstallMod = "VELK Mod installieren";
  t.MsgRemoveOld = "Alte Version(en) entfernen";
  t.MsgPathHint = "Hinweis:|Der Pfad wird für nachfolgende Installationen gespeichert.";
  t.MsgWelcome =
      "Willkommen zum VELK Mod %s Setup-Assistenten!||"
      "Dies ist eine Alpha-Version, also unfertig und fehlerhaft. Wir sind nicht verantwortlich "
      "für eventuell entstehende Schäden.|"
      "Um sicherzugehen kann das Verzeichnis \"Levels\" gesichert werden, dies sollte aber "
      "nicht erforderlich sein da keine Dateien gelöscht oder modifiziert werden. Der Prozess "
      "lässt sich vollständig rückgängig machen.||"
      "Bitte den Pfad zum Far Cry-Verzeichnis angeben:";
  t.ModDescSource = "ModDesc.de.txt";
  t.MsgShortcutName = "Far Cry VELK";
  t.MsgErrorOccurred = "Es trat ein Fehler auf!";
  t.MsgFileNotFound = "Datei '%s' nicht gefunden!";
  t.MsgExtractError =
      "Fehler beim Entpacken von '%s'!|Bitte sicherstellen dass 7-Zip installiert ist, falls "
      "das Problem immernoch besteht mir die Logfile (velk.log im Far Cry Hauptverzeichniss) "
      "schicken!)";
  t.MsgChooseGameDir = "Bitte den Far Cry Ordner wählen!";
  t.MsgExit = "Beenden";
  t.MsgExtractingFile = "Entpacke '%s'...";
  t.MsgLevelUpdated = "Level geupdated:";
  t.MsgWrongGameDir = "Falscher Far Cry Ordner!";
  t.MsgNone = "keine";
  t.MsgCreating = "Erstelle '%s'...";
  t.MsgComplete = "Fertig!";
  t.MsgNoWriteAccess =
      "Kein Schreibzugriff auf '%s'!|Es wurde nichts geändert. Bitte das Setup als Administrator "
      "starten.";
  t.MsgRestartElevated =
      "Kein Schreibzugriff auf '%s'!|Es wurde nichts geändert. Das Setup als Administrator neu "
      "starten?";
  t.MsgLevelPakBroken =
      "Level '%s' wurde nicht umgewandelt:|seine level.pak fehlt, ist beschädigt oder enthält nicht, "
      "was die Mod braucht. Das Level behält sein eigenes Skript.";
  t.MsgScriptNotKept =
      "Level '%s' wurde nicht umgewandelt:|sein Skript konnte nicht sicher gesichert werden (siehe "
      "velk.log). Das Level blieb, wie es war.";
  t.MsgAlreadyRunning = "Der VELK Mod Setup-Assistent läuft bereits.";
  t.MsgSetupBusy =
      "Ein anderes VELK Mod Setup arbeitet nach %s Sekunden Wartezeit immer noch. Es wurde nichts "
      "geändert; bitte dieses danach erneut starten.";
  return t;
}

}  // namespace velk
