// VelkSetup.exe /S: real runs of the program from a payload folder beside a game folder, and
// the page flow in process for what needs the remembered folder.
#include "wizard/unattended_fixture.h"

namespace velk::unattendedtest {
namespace {

TEST_F(Unattended, InstallWithDefaultsConvertsEveryOfferedLevel) {
  MakeFolders();
  const SetupRun run = Run("/LANG=en");
  ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  for (const std::string& level : kLevels) {
    EXPECT_TRUE(testkit::Exists(Level(level, "levelvelk.pak"))) << level;
    EXPECT_EQ(testkit::ReadFile(Level(level, level + ".lua")), testkit::ModScriptText(level));
  }
  EXPECT_TRUE(testkit::Exists(Mod("ModDesc.txt")));
  EXPECT_TRUE(testkit::Exists(Mod("textures\\gui\\mousecursor.dds")));
  EXPECT_TRUE(testkit::Exists(Mod("Objects\\weapons\\M4\\m4.dds")));
  const std::vector<std::string> log = testkit::LogTexts(fixture_.gameDir);
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "VELK Mod Av8 logfile");
  EXPECT_EQ(log.back(), "Finished creating!");
  // The summary of the last page, one converted level a line, and no message before it.
  const std::string heading = FormatText(english_.MsgLevelUpdated, "") + "\r\n";
  EXPECT_EQ(run.output.rfind(heading, 0), 0u) << run.output;
  for (const std::string& level : kLevels)
    EXPECT_TRUE(Contains(run.output, "\r\n" + level + "\r\n")) << run.output;
  // The unattended mode never removes the payload.
  EXPECT_TRUE(testkit::Exists(fixture_.appDir + "\\VelkSetup.exe"));
  EXPECT_TRUE(testkit::Exists(fixture_.appDir + "\\modfiles.7z"));
  EXPECT_FALSE(testkit::Exists(fixture_.appDir + "\\Kill.bat"));
}

TEST_F(Unattended, UninstallRemovesTheLevelArchives) {
  MakeFolders();
  ASSERT_NO_FATAL_FAILURE(ExpectDone(Run("/LANG=en")));
  const SetupRun run = Run("/ACTION=uninstall /LANG=en");
  ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  for (const std::string& level : kLevels)
    EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak"))) << level;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Deleting pak files"));
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Deleting Av8-Dir"));
}

TEST_F(Unattended, ToggleTwiceSwitchesOffAndOnAgain) {
  MakeFolders();
  ASSERT_NO_FATAL_FAILURE(ExpectDone(Run("")));
  SetupRun run = Run("/action=TOGGLE");
  ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  for (const std::string& level : kLevels) {
    EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak"))) << level;
    EXPECT_TRUE(testkit::Exists(Level(level, "levelvelk.pak.dis"))) << level;
  }
  run = Run("/ACTION=toggle");
  ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  for (const std::string& level : kLevels) {
    EXPECT_TRUE(testkit::Exists(Level(level, "levelvelk.pak"))) << level;
    EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak.dis"))) << level;
  }
}

TEST_F(Unattended, TwoSetupsAtOnceTakeTurnsOrTheSecondGivesUp) {
  MakeFolders();
  // Started together: the second waits for the first, and neither trips over the other's
  // work files.
  SetupRun first, second;
  std::thread other([&] { second = Run("/LANG=en"); });
  first = Run("/LANG=en");
  other.join();
  for (const SetupRun* run : {&first, &second}) {
    EXPECT_EQ(run->code, kUnattendedDone) << run->output;
    EXPECT_FALSE(Contains(run->output, "haring violation")) << run->output;
  }
  // Another setup holds the lock for longer than this one waits: code 3, nothing changed.
  const auto before = testkit::HashTree(fixture_.gameDir);
  std::atomic<bool> held{false}, tried{false}, done{false};
  std::thread holder([&] {
    const SingleInstance window(SetupLockName());
    held = window.Acquired();
    tried = true;
    while (!done) Sleep(20);
  });
  while (!tried) Sleep(10);
  if (!held) {
    done = true;
    holder.join();
    FAIL() << "the setup lock is held by someone else";
  }
  const SetupRun busy = Run("/LANG=en /WAIT=1 /ACTION=uninstall");
  done = true;
  holder.join();
  EXPECT_EQ(busy.code, kUnattendedBusy) << busy.output;
  EXPECT_EQ(busy.output, FormatText(EnglishCatalogue().MsgSetupBusy, "1") + "\r\n");
  EXPECT_EQ(testkit::HashTree(fixture_.gameDir), before);
}

TEST_F(Unattended, WrongGameFolderEndsWithCodeTwo) {
  MakeFolders();
  const std::string wrong = temp_.path() + "\\no game here";
  SetupRun run = Start("/S \"/D=" + wrong + "\" /LANG=en");
  EXPECT_EQ(run.code, kUnattendedBadStart);
  EXPECT_EQ(run.output, "Wrong Far Cry folder!\r\nFolder tried: \"" + wrong + "\"\r\n");
  EXPECT_FALSE(testkit::Exists(wrong));

  run = Start("/S /LANG=de /D=" + fixture_.gameDir + "\\Levels\\nowhere");
  EXPECT_EQ(run.code, kUnattendedBadStart);
  EXPECT_TRUE(Contains(run.output, "Falscher Far Cry Ordner!\r\nGepr\xC3\xBC" "fter Ordner: \"" +
                                       fixture_.gameDir + "\\Levels\\nowhere\"")) << run.output;
  EXPECT_FALSE(testkit::Exists(fixture_.gameDir + "\\velk.log"));

  // A stray word after an unquoted folder belongs to it: the message shows it there.
  run = Start("/S /LANG=en /D=" + fixture_.gameDir + " -S");
  EXPECT_EQ(run.code, kUnattendedBadStart);
  EXPECT_TRUE(Contains(run.output, "Folder tried: \"" + fixture_.gameDir + " -S\"")) << run.output;
}

TEST_F(Unattended, BadSwitchEndsWithCodeTwoAndTheUsage) {
  MakeFolders();
  SetupRun run = Run("/COLOUR=blue");
  EXPECT_EQ(run.code, kUnattendedBadStart);
  EXPECT_TRUE(Contains(run.output, "Unknown switch '/COLOUR=blue'")) << run.output;
  EXPECT_TRUE(Contains(run.output, "Usage: VelkSetup.exe /S"));
  EXPECT_FALSE(testkit::Exists(fixture_.gameDir + "\\velk.log"));

  run = Run("/COMPONENTS=scripts,music");
  EXPECT_EQ(run.code, kUnattendedBadStart);
  EXPECT_TRUE(Contains(run.output, "music")) << run.output;

  run.code = testkit::RunProgram("\"" + fixture_.appDir + "\\VelkSetup.exe\" /?", {}, &run.output);
  EXPECT_EQ(run.code, kUnattendedDone);
  EXPECT_EQ(run.output, UnattendedUsage());

  // The unattended mode asked for with a value is refused by it, not left to the window.
  run = Start("/S=1");
  EXPECT_EQ(run.code, kUnattendedBadStart);
  EXPECT_TRUE(Contains(run.output, "'/S=1'")) << run.output;
  EXPECT_TRUE(Contains(run.output, "Usage: VelkSetup.exe /S"));
}

// A payload archive is asked for only when the choices need it.
TEST_F(Unattended, MissingModFilesStopOnlyAnInstallOfTheScripts) {
  testkit::AppOptions app;
  app.withModFiles = false;
  MakeFolders(app);
  SetupRun run = Run("/LANG=en");
  EXPECT_EQ(run.code, kUnattendedPayloadBroken) << run.output;
  EXPECT_TRUE(Contains(run.output, FormatText(english_.MsgPayloadBroken, "modfiles.7z"))) << run.output;
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Setup file modfiles.7z is missing: nothing changed"));
  EXPECT_FALSE(testkit::Exists(Level("Archive", "levelvelk.pak")));
  run = Run("/LANG=en /COMPONENTS=maps");
  EXPECT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_TRUE(testkit::Exists(Level("Archive", "levelvelk.pak")));
}

TEST_F(Unattended, LevelListWithAnUnknownName) {
  MakeFolders();
  const SetupRun run = Run("/LEVELS=archive,Atlantis");
  EXPECT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_TRUE(Contains(run.output, "Level 'Atlantis' is not offered: skipped")) << run.output;
  EXPECT_TRUE(testkit::Exists(Level("Archive", "levelvelk.pak")));
  EXPECT_FALSE(testkit::Exists(Level("Boat", "levelvelk.pak")));
  EXPECT_FALSE(testkit::Exists(Level("Dam", "levelvelk.pak")));
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Level 'Boat' skipped: not choosed"));
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Level 'Dam' skipped: not choosed"));
}

TEST_F(Unattended, LevelListThatChoosesNoneEndsWithCodeOne) {
  MakeFolders();
  // The message names what was given and, on the next line, the levels offered.
  for (const std::string list : {"/LEVELS=", "/LEVELS=,,,"}) {
    const SetupRun run = Run("/LANG=en /COMPONENTS=maps " + list);
    EXPECT_EQ(run.code, kUnattendedErrors) << list;
    EXPECT_TRUE(Contains(run.output, FormatText(english_.MsgNoLevelChosen, "'" + list + "'") +
                                         "\r\n  Archive, Boat, Dam\r\n")) << run.output;
  }
  // Only names the list does not offer: the notes follow /LANG= as the messages do, and the
  // run log is copied after this run too.
  const std::string copy = temp_.path() + "\\failed run.log";
  const SetupRun run = Run("/LANG=de /LEVELS=Atlantis \"/LOG=" + copy + "\"");
  EXPECT_EQ(run.code, kUnattendedErrors);
  EXPECT_TRUE(Contains(run.output, "Level 'Atlantis' wird nicht angeboten: \xC3\xBC" "bersprungen"))
      << run.output;
  EXPECT_TRUE(Contains(run.output, FormatText(GermanCatalogue().MsgNoLevelChosen, "'/LEVELS=Atlantis'")))
      << run.output;
  for (const std::string& level : kLevels) EXPECT_FALSE(testkit::Exists(Level(level, "levelvelk.pak")));
  EXPECT_EQ(testkit::ReadFile(copy), testkit::ReadFile(fixture_.gameDir + "\\velk.log"));
}

TEST_F(Unattended, ScriptsForOtherInstallersInstallAlike) {
  MakeFolders();
  ASSERT_NO_FATAL_FAILURE(ExpectDone(Run("/LANG=en")));
  const std::map<std::string, std::string> installed = Installed(fixture_.gameDir);
  const std::vector<std::string> logged = LogTextsWithout(fixture_.gameDir);
  // Their folder switch quoted whole, or quoted after the "=": one argument either way.
  for (const std::string form : {"whole", "value"}) {
    const std::string parent = temp_.path() + "\\" + form;
    ASSERT_TRUE(CreateFolders(parent));
    const std::string gameDir = testkit::MakeGameFolder(parent);
    const std::string dir = form == "whole" ? "\"/DIR=" + gameDir + "\"" : "/DIR=\"" + gameDir + "\"";
    const std::string silent = form == "whole" ? "/VERYSILENT" : "/SILENT";
    const SetupRun run = Start(silent + " /SUPPRESSMSGBOXES /NORESTART /LANG=en " + dir);
    ASSERT_EQ(run.code, kUnattendedDone) << run.output;
    EXPECT_EQ(Installed(gameDir), installed) << dir;
    EXPECT_EQ(LogTextsWithout(gameDir), logged) << dir;
  }
}

// Started elsewhere: relative to the program's own folder, these would name other places.
TEST_F(Unattended, RelativeNamesAreTakenFromTheStartingFolder) {
  MakeFolders();
  const std::string start = temp_.path() + "\\work\\here";
  ASSERT_TRUE(CreateFolders(start));
  const SetupRun run = Start("/S \"/D=..\\..\\Far Cry\" /LOG=copy.log /COMPONENTS=scripts /LANG=en", start);
  ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_EQ(ReadGameDirSetting().value_or(""), fixture_.gameDir);
  std::string desktop;
  ASSERT_TRUE(GetSpecialFolder(nullptr, kDesktopFolderId, desktop));
  EXPECT_EQ(testkit::ReadLink(desktop + "\\" + english_.MsgShortcutName + ".lnk").workDir,
            fixture_.gameDir + layout::kBin32);
  EXPECT_EQ(testkit::ReadFile(start + "\\copy.log"), testkit::ReadFile(fixture_.gameDir + "\\velk.log"));
}

TEST_F(Unattended, ComponentsFollowTheCouplings) {
  MakeFolders();
  // Skins without the cursor.
  SetupRun run = Run("/COMPONENTS=scripts,skins");
  ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_FALSE(testkit::Exists(Mod("textures\\gui\\mousecursor.dds")));
  EXPECT_TRUE(testkit::Exists(Mod("Objects\\weapons\\DE\\de.dds")));
  EXPECT_FALSE(testkit::Exists(Level("Archive", "levelvelk.pak")));  // no maps
  // Cursor without scripts: the coupling leaves it out, and says so.
  run = Run("/COMPONENTS=cursor,maps /LEVELS=Dam");
  ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_TRUE(Contains(run.output, "come with the scripts only")) << run.output;
  EXPECT_TRUE(testkit::Exists(Level("Dam", "levelvelk.pak")));
  EXPECT_FALSE(LogHas(fixture_.gameDir, "Extracting \"modfiles.7z\""));
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Extracting \"mapfiles.7z\""));
}

TEST_F(Unattended, OldVersionsGoUnlessKept) {
  MakeFolders();
  const std::string old = fixture_.gameDir + "\\Mods\\VELK_Av7";
  ASSERT_TRUE(CreateFolders(old));
  ASSERT_NO_FATAL_FAILURE(ExpectDone(Run("/KEEPOLD /COMPONENTS=scripts")));
  EXPECT_TRUE(testkit::Exists(old));
  EXPECT_FALSE(LogHas(fixture_.gameDir, "Deleting old VELK Folders"));
  ASSERT_NO_FATAL_FAILURE(ExpectDone(Run("/COMPONENTS=scripts")));
  EXPECT_FALSE(testkit::Exists(old));
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Deleting old VELK Folders"));
}

}  // namespace
}  // namespace velk::unattendedtest
