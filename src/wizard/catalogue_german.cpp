// The wizard's texts in German (UTF-8).
#include "wizard/catalogue.h"

namespace velk {

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
  t.MsgGameFound = "Far Cry gefunden in %s: dieser Ordner wird verwendet.";
  t.MsgNoGameFound =
      "Es ist kein Far Cry Ordner gespeichert und auf diesem Computer wurde keiner gefunden. Bitte "
      "mit /D= angeben.";
  t.MsgSeveralGamesFound = "Es wurden mehrere Far Cry Installationen gefunden. Bitte eine mit /D= angeben:";
  t.MsgPayloadBroken =
      "Die Setup-Datei '%s' fehlt oder ist beschädigt.|Es wurde nichts geändert. Bitte das Setup "
      "neu herunterladen.";
  t.MsgUnpackArchiveFirst =
      "Das Setup wurde direkt aus seinem Archiv gestartet, ohne seine übrigen Dateien.|Es wurde "
      "nichts geändert. Bitte zuerst das ganze Archiv in einen Ordner entpacken (Rechtsklick, "
      "'Alle extrahieren...') und VelkSetup.exe von dort starten.";
  t.MsgNotEnoughSpace = "Es ist nicht genügend freier Speicherplatz vorhanden:|%s|Es wurde nichts "
                        "geändert. Bitte Platz schaffen und es erneut versuchen.";
  t.MsgSpaceNeeded = "%s MB benötigt";
  t.MsgSpaceFree = "%s MB frei";
  t.MsgSetupFolderReadOnly =
      "Das Setup kann in seinen eigenen Ordner '%s', in den es die Karten entpackt, nicht "
      "schreiben.|Es wurde nichts geändert. Bitte die Setup-Dateien in einen eigenen Ordner (zum "
      "Beispiel unter Dokumente) kopieren und das Setup dort starten.";
  t.MsgGameRunning =
      "Far Cry läuft: '%s' ist in Gebrauch.|Es wurde nichts geändert. Bitte das Spiel beenden und "
      "dann Wiederholen drücken.";
  t.MsgBackOrExit = "Zurück zur Auswahl? (Nein beendet das Setup.)";
  t.NoteSkinsNeedScripts = "Mauscursor und Waffenskins gibt es nur mit den Scripts: weggelassen";
  t.NoteComponentsIgnored = "/COMPONENTS= gilt nur für eine Installation: ignoriert";
  t.NoteLevelNotOffered = "Level %s wird nicht angeboten: übersprungen";
  t.NoteLevelsIgnored = "Es werden keine Maps installiert: /LEVELS= ignoriert";
  t.SwitchUnknown = "Unbekannter Schalter %s";
  t.SwitchTakesNoValue = "Der Schalter %s nimmt keinen Wert";
  t.SwitchNeedsFolder = "%s braucht den Far Cry Ordner";
  t.SwitchNeedsFile = "%s braucht einen Dateinamen";
  t.SwitchUnknownAction = "Unbekannte Aktion %s (install, repair, uninstall oder toggle)";
  t.SwitchUnknownComponent = "Unbekannter Bestandteil %s (scripts, cursor, skins, maps)";
  t.SwitchNeedsSeconds = "/WAIT= braucht eine Anzahl Sekunden (0 bis 99999)";
  t.SwitchUnknownLanguage = "Unbekannte Sprache %s";
  t.MsgNoLevelChosen = "Kein Level wurde umgewandelt: %s nennt keines der angebotenen Level:";
  t.MsgFolderTried = "Geprüfter Ordner: '%s'";
  t.MsgLogNotCopied = "Das Protokoll konnte nicht nach '%s' kopiert werden!";
  t.MsgWriteFailed = "'%s' konnte nicht geschrieben werden!|Vielleicht ist der Datenträger voll oder die Datei in Benutzung.";
  t.VerifyModFolderMissing = "Der Mod-Ordner '%s' fehlt, aber Level-Archive der Mod sind noch da.";
  t.VerifyLevelGone = "Level %s: sein Ordner ist nicht mehr da.";
  t.VerifySwitchedOff = "Level %s: die Mod ist ausgeschaltet.";
  t.VerifyArchiveMissing = "Level %s: das Archiv der Mod levelvelk.pak fehlt.";
  t.VerifyScriptMissing = "Level %s: sein Skript fehlt.";
  t.VerifyScriptReplaced = "Level %s: das Skript des Spiels steht wieder an der Stelle des Mod-Skripts.";
  t.VerifyBackupMissing = "Level %s: die Sicherung des Spiel-Skripts fehlt.";
  t.VerifyLevelPakChanged = "Level %s: seine level.pak wurde geändert, nachdem das Archiv der Mod daraus gebaut wurde.";
  t.VerifyShortcutMissing = "Die Verknüpfung '%s' auf dem Desktop fehlt.";
  t.VerifyAllWell = "Die VELK Mod ist installiert, wie sie sein soll.";
  t.VerifyRepairNeeded = "Eine Reparatur ist nötig: das Setup noch einmal mit /ACTION=install starten.";
  t.VerifyNotInstalled = "Die VELK Mod ist in diesem Spielordner nicht installiert.";
  t.MsgRepairAdvised = "Die installierte VELK Mod hat sich seit der Installation verändert:|%s||'Vorhandene Version reparieren' behebt das.";
  t.SwitchFoldersDisagree =
      "/D= und /DIR= nennen verschiedene Ordner: %s. Bitte den Far Cry Ordner nur einmal angeben";
  t.MsgLogCopyUnsafe =
      "/LOG= nennt '%s', das nicht sicher geschrieben werden kann (eine Verknüpfung oder kein "
      "Dateipfad).|Es wurde nichts geändert.";
  t.MsgLogCopyInGame =
      "/LOG= nennt '%s' im Far Cry Ordner.|Dort darf nur eine eigene Datei direkt im Far Cry Ordner, "
      "deren Name auf .log endet (nicht velk.log), die Kopie aufnehmen. Es wurde nichts geändert.";
  t.MsgLogCopyOfSetup = "/LOG= nennt '%s', eine Datei des Setups selbst.|Es wurde nichts geändert.";
  return t;
}

}  // namespace velk
