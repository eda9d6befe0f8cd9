// VelkSetup.exe /S without /D=: the remembered folder, else the single installation found
// (Steam, GOG, the Linux Steam under Wine), else code 2.
#include "wizard/unattended_fixture.h"

namespace velk::unattendedtest {
namespace {

// In process, so that the remembered folder can be set just before the pages start.
TEST_F(Unattended, WithoutGameFolderASingleInstallationFoundIsUsed) {
  MakeFolders();
  testkit::GameRegistry registry;  // also the settings lock: FCDir is this test's
  testkit::SettingsLock::ForgetGameDir();
  // None found: the reason, code 2, nothing written.
  SetupRun run = Run("/LANG=en", /*withGameDir=*/false);
  EXPECT_EQ(run.code, kUnattendedBadStart) << run.output;
  EXPECT_TRUE(Contains(run.output, EnglishCatalogue().MsgNoGameFound)) << run.output;
  // One found (a GOG entry): taken, and said so.
  registry.AddGogGame(fixture_.gameDir);
  run = Run("/LANG=en /COMPONENTS=scripts", /*withGameDir=*/false);
  EXPECT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_TRUE(Contains(run.output, "Far Cry found in \"" + fixture_.gameDir + "\" (GOG): using that folder."))
      << run.output;
  EXPECT_TRUE(testkit::Exists(Mod("ModDesc.txt")));
  // Several found (and none remembered): each one listed, code 2.
  testkit::SettingsLock::ForgetGameDir();
  const std::string steamGame = registry.AddSteamGame(temp_.path());
  run = Run("/LANG=en", /*withGameDir=*/false);
  EXPECT_EQ(run.code, kUnattendedBadStart) << run.output;
  EXPECT_TRUE(Contains(run.output, steamGame + " (Steam)")) << run.output;
  EXPECT_TRUE(Contains(run.output, fixture_.gameDir + " (GOG)")) << run.output;
}

// Under Wine with the game in the Linux Steam of the Unix user (HOME for this run only).
TEST_F(Unattended, WithoutGameFolderTheGameInTheLinuxSteamIsUsed) {
  MakeFolders();
  testkit::GameRegistry registry;
  testkit::SettingsLock::ForgetGameDir();
  testkit::UnixHome home;
  const std::string library = home.path() + "\\Games\\SteamLibrary";
  const std::string game = home.AddSteamGame(library, "Far Cry");
  home.ListLibraries(home.steamFolder(), {home.steamFolder(), library});
  SetupRun run = Run("/LANG=en /COMPONENTS=scripts", /*withGameDir=*/false);
  EXPECT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_TRUE(Contains(run.output, "Far Cry found in \"" + game + "\" (Steam)")) << run.output;
  EXPECT_EQ(game.rfind("Z:\\", 0), 0u) << game;
  EXPECT_TRUE(testkit::Exists(game + "\\Mods\\VELK_Av8\\ModDesc.txt"));
  // An installation the Windows side knows wins.
  testkit::SettingsLock::ForgetGameDir();
  registry.AddGogGame(fixture_.gameDir);
  run = Run("/LANG=en /COMPONENTS=scripts", /*withGameDir=*/false);
  EXPECT_EQ(run.code, kUnattendedDone) << run.output;
  EXPECT_TRUE(Contains(run.output, "Far Cry found in \"" + fixture_.gameDir + "\" (GOG)")) << run.output;
  EXPECT_FALSE(Contains(run.output, game)) << run.output;
}

TEST_F(Unattended, WithoutGameFolderTheRememberedOneIsUsed) {
  MakeFolders();
  const std::string before = CurrentFolder();
  ASSERT_TRUE(WriteGameDirSetting(fixture_.gameDir + "\\Bin32"));
  WizardSession session;
  session.AppDir = fixture_.appDir;
  ASSERT_TRUE(SetCurrentFolder(session.AppDir));
  MemoryUi ui;
  std::vector<std::string> notes;
  UnattendedOptions options;
  options.language = "en";
  options.maps = false;
  const int code = RunUnattendedPages(options, session, ui,
                                      [&](const std::string& note) { notes.push_back(note); }, 1033);
  SetCurrentFolder(before);
  EXPECT_EQ(code, kUnattendedDone) << (ui.Messages().empty() ? "" : ui.Messages().front().text);
  EXPECT_EQ(session.PageIndex, 4);
  EXPECT_EQ(ui.Text(Ctl::Text1), fixture_.gameDir);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(notes.empty());
  EXPECT_TRUE(testkit::Exists(Mod("ModDesc.txt")));
  EXPECT_TRUE(LogHas(fixture_.gameDir, "Finished creating!"));
}

}  // namespace
}  // namespace velk::unattendedtest
