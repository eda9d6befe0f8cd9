// Whole wizard runs through the real navigation, over the in-memory window: install,
// repair, switch-over and uninstall, with the real command runner and 7-Zip.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine_fixture.h"
#include "kit/named_lock.h"
#include "support/file_helpers.h"
#include "wizard/navigation.h"

namespace velk::enginetest {
namespace {

using testkit::AppOptions;
using testkit::GameOptions;

class FullRun : public EngineTest {
 protected:
  struct Run {
    WizardSession session;
    RecordingUi ui;
    Wizard wizard{session, ui};
  };

  // A new wizard run in that language, past the game folder page.
  std::unique_ptr<Run> StartRun(const std::string& languageCode = "0") {
    auto run = std::make_unique<Run>();
    run->session.AppDir = fx_.appDir;
    run->wizard.LoadLanguage(languageCode);
    run->ui.SetText(Ctl::Text1, fx_.gameDir);
    run->wizard.NextPage();
    EXPECT_EQ(run->session.PageIndex, 1);
    return run;
  }
  static void Finish(Run& run) {
    while (run.session.PageIndex < 4) run.wizard.NextPage();
  }
  // Install with scripts and maps, the given levels ticked.
  void Install(const std::vector<std::string>& levels) {
    auto run = StartRun();
    run->wizard.NextPage();
    TickOnly(run->ui, levels);
    Finish(*run);
  }
  void SwitchOver() {
    auto run = StartRun();
    run->wizard.OptionClicked(Ctl::Option3);
    run->wizard.NextPage();
    EXPECT_EQ(run->session.PageIndex, 4);
  }
  std::unique_ptr<Run> Uninstall() {
    auto run = StartRun();
    run->wizard.OptionClicked(Ctl::Option2);
    run->wizard.NextPage();
    EXPECT_EQ(run->session.PageIndex, 4);
    return run;
  }
  std::vector<std::string> ConversionLines(const std::string& level) const {
    const std::string dir = LevelDir(level);
    return {"Extracting \"" + dir + "\\level.pak\"", "Patched mission_velk.xml",
            "Copying \"levelvelk.pak\" to folder \"" + dir + "\\\""};
  }
  std::string PathLine(const std::string& level) const {
    return FramedLine("|--Path: \"" + LevelDir(level) + "\"");
  }
  static std::string FramedLine(std::string text) {
    while (text.size() < 49) text += "-";
    return text + "|";
  }

  testkit::SettingsLock settingsLock_;
};

TEST_F(FullRun, AnEnglishInstallOfArchiveOnly) {
  Prepare();
  testkit::WriteFile(LinkFile(), "an old link");
  auto run = StartRun();
  EXPECT_EQ(run->ui.Text(Ctl::Option1), "Install VELK Mod");
  run->wizard.NextPage();
  EXPECT_EQ(run->session.PageIndex, 2);
  TickOnly(run->ui, {"Archive"});
  run->wizard.NextPage();
  EXPECT_EQ(run->session.PageIndex, 3);

  std::vector<std::string> expected = {
      "Extracting \"modfiles.7z\"",   "Extracting \"mapfiles.7z\"",     "Installed Maps:",
      InstalledLine("Archive"),       InstalledLine("Boat"),            InstalledLine("Dam"),
      "Available Maps:",              AvailableLine("Archive"),         AvailableLine("Boat"),
      AvailableLine("Dam"),           "Level 'Boat' skipped: not choosed",
      "Level 'Dam' skipped: not choosed",
      "|----------Current Level: \"Archive\"--------------|",
      PathLine("Archive")};
  for (const std::string& line : ConversionLines("Archive")) expected.push_back(line);
  for (const char* line : {"Creating shortcut", "Renamed ModDesc.en.txt to ModDesc.txt", "Finished creating!"})
    expected.push_back(line);
  EXPECT_EQ(RunLog(), expected);
  EXPECT_TRUE(run->ui.Messages().empty());

  const std::string pak = LevelDir("Archive") + "\\levelvelk.pak";
  EXPECT_EQ(testkit::ListArchiveFiles(pak),
            Sorted({"Archive.bai", "hidevelk.bai", "mission_velk.xml", "netvelk.bai", "velk_objects.xml"}));
  EXPECT_EQ(testkit::ReadArchiveEntry(pak, "hidevelk.bai"), "BAI hide Archive\r\n");
  EXPECT_EQ(testkit::ReadArchiveEntry(pak, "netvelk.bai"), "BAI net Archive\r\n");
  const std::string mission = testkit::ReadArchiveEntry(pak, "mission_velk.xml");
  EXPECT_EQ(mission.find("RespawnTime=\"0\""), std::string::npos);
  EXPECT_NE(mission.find("<Team Name=\"Red\" RespawnTime=\"10\" MaxPlayers=\"16\"/>"), std::string::npos);
  EXPECT_NE(mission.find("RespawnTime=\"05\" CaptureTime=\"00\""), std::string::npos);
  EXPECT_FALSE(testkit::Exists(LevelDir("Boat") + "\\levelvelk.pak"));
  EXPECT_EQ(testkit::ReadFile(LevelDir("Archive") + "\\Archive.lua"), testkit::ModScriptText("Archive"));
  EXPECT_EQ(testkit::ReadFile(LevelDir("Archive") + "\\Archive.lua.bak"), testkit::StockScriptText("Archive"));
  EXPECT_EQ(testkit::ReadFile(ModFolder() + "\\ModDesc.txt"), testkit::ModFileText("ModDesc.en.txt"));

  const LinkFields link = ReadLink(LinkFile());
  EXPECT_EQ(link.target, fx_.gameDir + "\\Bin32\\FarCry.exe");
  EXPECT_EQ(link.workDir, fx_.gameDir + "\\Bin32");
  EXPECT_EQ(link.arguments, "-Mod:VELK_Av8");
  EXPECT_EQ(link.iconFile, fx_.gameDir + "\\Bin32\\FarCry.exe");
  EXPECT_EQ(link.iconIndex, 1);
  EXPECT_EQ(link.showCmd, 5u);

  EXPECT_EQ(run->ui.ProgressHistory(), std::vector<int>{1});
  EXPECT_EQ(run->ui.Text(Ctl::Label7), "Level: Archive");
  EXPECT_EQ(run->ui.Text(Ctl::Label6), "Status: Complete!");
  // The summary names the converted level ("none" only when nothing was converted).
  EXPECT_EQ(run->ui.Text(Ctl::Text2), "Level updated:\r\nArchive");
  run->wizard.NextPage();
  EXPECT_EQ(run->session.PageIndex, 4);
  EXPECT_FALSE(run->ui.Visible(Ctl::Command5));
}

TEST_F(FullRun, ChosenLevelsAreConvertedInListOrder) {
  Prepare();
  auto run = StartRun();
  run->wizard.NextPage();
  TickOnly(run->ui, {"Archive", "Dam"});
  run->wizard.NextPage();
  std::vector<std::string> expected = {"Level 'Boat' skipped: not choosed",
                                       "|----------Current Level: \"Archive\"--------------|",
                                       PathLine("Archive")};
  for (const std::string& line : ConversionLines("Archive")) expected.push_back(line);
  expected.push_back("|----------Current Level: \"Dam\"------------------|");
  expected.push_back(PathLine("Dam"));
  for (const std::string& line : ConversionLines("Dam")) expected.push_back(line);
  expected.push_back("Creating shortcut");
  std::vector<std::string> log = RunLog();
  const auto skipped = std::find(log.begin(), log.end(), expected.front());
  ASSERT_NE(skipped, log.end());
  EXPECT_EQ(std::vector<std::string>(skipped, skipped + std::min<long>(expected.size(), log.end() - skipped)),
            expected);
  std::vector<std::string> steps;
  for (const std::string& e : run->ui.events)
    if (e.rfind("progress", 0) == 0 || e.rfind("label7", 0) == 0) steps.push_back(e);
  EXPECT_EQ(steps, (std::vector<std::string>{"progress: 1", "label7: Level: Archive", "progress: 2",
                                             "label7: Level: Dam"}));
  EXPECT_TRUE(FileExists(LevelDir("Dam") + "\\levelvelk.pak"));
  EXPECT_FALSE(FileExists(LevelDir("Boat") + "\\levelvelk.pak"));
  EXPECT_EQ(run->ui.Text(Ctl::Text2), "Level updated:\r\nArchive\r\nDam");
}

TEST_F(FullRun, NoLevelTickedStillFinishesTheRun) {
  Prepare();
  const auto before = testkit::HashTree(fx_.gameDir + "\\Levels");
  auto run = StartRun();
  run->wizard.NextPage();
  TickOnly(run->ui, {});
  run->wizard.NextPage();
  const std::vector<std::string> log = RunLog();
  ExpectInOrder(log, {"Level 'Archive' skipped: not choosed", "Level 'Boat' skipped: not choosed",
                      "Level 'Dam' skipped: not choosed", "Creating shortcut",
                      "Renamed ModDesc.en.txt to ModDesc.txt", "Finished creating!"});
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l[0] == '|'; }), 0);
  EXPECT_EQ(testkit::HashTree(fx_.gameDir + "\\Levels"), before);
  EXPECT_TRUE(run->ui.ProgressHistory().empty());
  EXPECT_TRUE(FileExists(LinkFile()));
  EXPECT_EQ(run->ui.Text(Ctl::Text2), "Level updated:\r\nnone");
}

TEST_F(FullRun, ALongLevelNameGetsNoDashes) {
  const std::string name = "LongLevelNameOf21Char";
  ASSERT_EQ(name.size(), 21u);
  GameOptions game;
  game.levels = {name};
  AppOptions app;
  app.mapLevels = {name};
  Prepare(game, app);
  Install({name});
  const std::string header = "|----------Current Level: \"" + name + "\"|";
  EXPECT_EQ(header.size(), name.size() + 29);
  ExpectInOrder(RunLog(), {header, PathLine(name), "Finished creating!"});
  EXPECT_TRUE(FileExists(LevelDir(name) + "\\levelvelk.pak"));
}

TEST_F(FullRun, GermanThenAnEnglishRepairReplacesTheDescription) {
  Prepare();
  {
    auto run = StartRun("1031");
    run->ui.SetValue(Ctl::Check4, false);  // scripts only: the run ends by itself
    run->wizard.NextPage();
    EXPECT_EQ(run->session.PageIndex, 4);
    EXPECT_EQ(run->ui.Text(Ctl::Text2), "Level geupdated:\r\nkeine");
    EXPECT_EQ(run->ui.Text(Ctl::Label6), "Status: Fertig!");
    EXPECT_TRUE(run->ui.Messages().empty());
  }
  ExpectInOrder(RunLog(), {"Renamed ModDesc.de.txt to ModDesc.txt", "Finished creating!"});
  EXPECT_EQ(testkit::ReadFile(ModFolder() + "\\ModDesc.txt"), testkit::ModFileText("ModDesc.de.txt"));
  EXPECT_FALSE(testkit::Exists(ModFolder() + "\\ModDesc.de.txt"));
  {
    auto run = StartRun("0");
    EXPECT_EQ(run->ui.Text(Ctl::Option1), "Repair installed version");
    run->ui.SetValue(Ctl::Check4, false);
    run->wizard.NextPage();
  }
  ExpectInOrder(RunLog(), {"Renamed ModDesc.en.txt to ModDesc.txt", "Finished creating!"});
  EXPECT_EQ(testkit::ReadFile(ModFolder() + "\\ModDesc.txt"), testkit::ModFileText("ModDesc.en.txt"));
  {
    // A repair without scripts has no new description: the English one was used up above.
    auto run = StartRun("0");
    run->ui.SetValue(Ctl::Check3, false);
    run->ui.SetValue(Ctl::Check4, false);
    run->wizard.NextPage();
  }
  ExpectInOrder(RunLog(), {"Not renamed ModDesc.en.txt to ModDesc.txt: ModDesc.en.txt is missing",
                           "Finished creating!"});
  EXPECT_EQ(testkit::ReadFile(ModFolder() + "\\ModDesc.txt"), testkit::ModFileText("ModDesc.en.txt"));
}

TEST_F(FullRun, AnUninstallLeavesTheGameAsItWas) {
  // MyMap is no stock level, yet the payload offers it and the install converts it.
  GameOptions game;
  game.levels = {"Archive", "Boat", "Dam", "MyMap"};
  AppOptions app;
  app.mapLevels = game.levels;
  Prepare(game, app);
  testkit::WriteFile(fx_.gameDir + "\\Mods\\Other\\readme.txt", "another mod");
  const auto levelsBefore = testkit::HashTree(fx_.gameDir + "\\Levels");
  const auto otherBefore = testkit::HashTree(fx_.gameDir + "\\Mods\\Other");
  Install(game.levels);
  ASSERT_TRUE(FileExists(LevelDir("Boat") + "\\levelvelk.pak"));
  ASSERT_TRUE(FileExists(LevelDir("MyMap") + "\\levelvelk.pak"));
  ASSERT_TRUE(FileExists(LinkFile()));
  testkit::WriteFile(LevelDir("Dam") + "\\levelvelkki.pak", "second archive");
  SwitchOver();  // Archive, Boat and Dam now hold the switched-off name
  ASSERT_TRUE(FileExists(LevelDir("Boat") + "\\levelvelk.pak.dis"));

  auto run = Uninstall();
  EXPECT_TRUE(run->ui.Messages().empty());
  EXPECT_EQ(testkit::HashTree(fx_.gameDir + "\\Levels"), levelsBefore);
  EXPECT_EQ(testkit::HashTree(fx_.gameDir + "\\Mods\\Other"), otherBefore);
  EXPECT_FALSE(testkit::Exists(ModFolder()));
  EXPECT_FALSE(testkit::Exists(LinkFile()));
  const std::string archive = LevelDir("Archive");
  ExpectInOrder(RunLog(), {"Deleting pak files",
                           "Deleted " + LevelDir("Dam") + "\\levelvelkki.pak",
                           "Restoring level scripts",
                           "Deleted " + archive + "\\levelvelk.pak.dis",
                           "Restored " + archive + "\\Archive.lua from Archive.lua.bak",
                           "Deleting Av8-Dir",
                           "Deleted " + ModFolder(),
                           "Installed Maps:",
                           "Removing shortcut",
                           "Deleted " + LinkFile(),
                           "Not renamed ModDesc.en.txt to ModDesc.txt: ModDesc.en.txt is missing",
                           "Finished creating!"});
}

TEST_F(FullRun, AnUninstallOfAModNeverInstalledChangesNothing) {
  Prepare();
  testkit::WriteFile(fx_.gameDir + "\\Mods\\Other\\readme.txt", "another mod");
  auto before = testkit::HashTree(fx_.gameDir);
  before.erase("velk.log");
  auto run = Uninstall();
  auto after = testkit::HashTree(fx_.gameDir);
  after.erase("velk.log");
  EXPECT_EQ(after, before);
  EXPECT_TRUE(run->ui.Messages().empty());
  const std::vector<std::string> expected = {
      "Deleting pak files", "Restoring level scripts", "Deleting Av8-Dir", "Installed Maps:",
      InstalledLine("Archive"), InstalledLine("Boat"), InstalledLine("Dam"), "Available Maps:",
      "Removing shortcut", "Not renamed ModDesc.en.txt to ModDesc.txt: ModDesc.en.txt is missing",
      "Finished creating!"};
  EXPECT_EQ(RunLog(), expected);
  EXPECT_FALSE(testkit::Exists(LinkFile()));
}

TEST_F(FullRun, SwitchingOffAndOnAcrossRuns) {
  Prepare();
  const std::string archive = LevelDir("Archive"), boat = LevelDir("Boat"), dam = LevelDir("Dam");
  testkit::WriteFile(archive + "\\levelvelk.pak", "archive mod");
  testkit::WriteFile(boat + "\\levelvelk.pak", "boat mod");
  SwitchOver();
  for (const std::string& level : {archive, boat}) {
    EXPECT_FALSE(FileExists(level + "\\levelvelk.pak"));
    EXPECT_TRUE(FileExists(level + "\\levelvelk.pak.dis"));
  }
  EXPECT_FALSE(FileExists(dam + "\\levelvelk.pak.dis"));
  {
    auto run = StartRun();
    EXPECT_EQ(run->ui.Text(Ctl::Option3), "Enable VELK Mod");
    run->wizard.OptionClicked(Ctl::Option3);
    run->wizard.NextPage();
  }
  EXPECT_EQ(testkit::ReadFile(archive + "\\levelvelk.pak"), "archive mod");
  EXPECT_EQ(testkit::ReadFile(boat + "\\levelvelk.pak"), "boat mod");
  {
    auto run = StartRun();
    EXPECT_EQ(run->ui.Text(Ctl::Option3), "Disable VELK Mod");
  }
  // Mixed: the switched-off one comes back, the other stays as it is.
  ASSERT_TRUE(RenameFile(archive + "\\levelvelk.pak", "levelvelk.pak.dis"));
  SwitchOver();
  EXPECT_TRUE(FileExists(archive + "\\levelvelk.pak"));
  EXPECT_FALSE(FileExists(archive + "\\levelvelk.pak.dis"));
  EXPECT_TRUE(FileExists(boat + "\\levelvelk.pak"));
  EXPECT_FALSE(FileExists(boat + "\\levelvelk.pak.dis"));
  // The switch-over writes no line of its own.
  const std::vector<std::string> log = RunLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log[0], "Installed Maps:");
}

}  // namespace
}  // namespace velk::enginetest

namespace velk::enginetest {
namespace {

// A language may name the shortcut otherwise: a later run in another language finds it by the
// name the record keeps, and neither replaces nor removes it under its own name only.
TEST_F(FullRun, TheShortcutIsFoundUnderTheNameItWasMadeWith) {
  Prepare();
  const std::string translated = Desktop() + "\\Far Cry VELK (translated).lnk";
  auto installTranslated = [&] {
    auto run = StartRun();
    run->session.Texts.MsgShortcutName = "Far Cry VELK (translated)";
    run->wizard.NextPage();
    Finish(*run);
  };
  installTranslated();
  EXPECT_TRUE(FileExists(translated));
  EXPECT_FALSE(testkit::Exists(LinkFile()));
  EXPECT_NE(testkit::ReadFile(ModFolder() + "\\InstallRecord.txt").find("shortcut\tFar Cry VELK (translated).lnk\r\n"),
            std::string::npos);

  Install({"Archive"});  // a repair in the catalogue's language
  EXPECT_FALSE(testkit::Exists(translated));
  EXPECT_TRUE(FileExists(LinkFile()));

  installTranslated();
  auto run = Uninstall();
  EXPECT_TRUE(run->ui.Messages().empty());
  EXPECT_FALSE(testkit::Exists(translated));
  EXPECT_FALSE(testkit::Exists(LinkFile()));
  ExpectInOrder(RunLog(), {"Removing shortcut", "Deleted " + translated});
  DeleteFileAt(translated);
}

}  // namespace
}  // namespace velk::enginetest
