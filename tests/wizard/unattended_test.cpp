// VelkSetup.exe /S: real runs of the program from a payload folder beside a game folder, and
// the page flow in process for what needs the remembered folder.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "wizard/memory_ui.h"
#include "engine/message_catalogue.h"
#include "engine/wizard_session.h"
#include "levels/game_layout.h"
#include "kit/game_registry.h"
#include "kit/link_file.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"
#include "kit/unix_home.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/single_instance.h"
#include "support/settings_store.h"
#include "support/shell.h"
#include "wizard/catalogue.h"
#include "wizard/control_table.h"
#include "wizard/window_names.h"
#include "wizard/unattended.h"

namespace velk {
namespace {

using testkit::LogHas;

const std::vector<std::string> kLevels = {"Archive", "Boat", "Dam"};

struct SetupRun {
  int code = -1;
  std::string output;  // stdout and stderr together
};

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class Unattended : public ::testing::Test {
 protected:
  void MakeFolders(const testkit::AppOptions& appOptions = {}) {
    testkit::AppOptions app = appOptions;
    app.withProgram = true;
    fixture_ = testkit::MakeFixture(temp_.path(), {}, app);
  }
  // Runs the program copy from another folder, so that it must find its payload itself.
  SetupRun Run(const std::string& switches, bool withGameDir = true) {
    return Start("/S " + (withGameDir ? "\"/D=" + fixture_.gameDir + "\" " : std::string()) + switches);
  }
  // The same with exactly these arguments.
  SetupRun Start(const std::string& arguments, const std::string& workDir = {}) {
    SetupRun run;
    run.code = testkit::RunProgram("\"" + fixture_.appDir + "\\VelkSetup.exe\" " + arguments,
                                   workDir.empty() ? temp_.path() : workDir, &run.output, 120000);
    return run;
  }
  // What an install leaves in a game folder, without the run log (it names its folder and
  // times). A level archive stamps its entries with the time it was packed: its entry names.
  static std::map<std::string, std::string> Installed(const std::string& gameDir) {
    std::map<std::string, std::string> files = testkit::HashTree(gameDir);
    files.erase("velk.log");
    for (auto& [name, hash] : files) {
      if (!name.ends_with("levelvelk.pak")) continue;
      hash.clear();
      for (const std::string& entry : testkit::ListArchiveFiles(gameDir + "\\" + name)) hash += entry + " ";
    }
    return files;
  }
  // The run log without its date and times, its game folder's name left out. A run before
  // leaves work files in the payload folder, which a run deletes and logs: left out too.
  std::vector<std::string> LogTextsWithout(const std::string& gameDir) const {
    std::vector<std::string> lines;
    for (std::string line : testkit::LogTexts(gameDir)) {
      if (line.starts_with("Date: ") || line.starts_with("Deleted " + fixture_.appDir)) continue;
      for (size_t at = line.find(gameDir); at != std::string::npos; at = line.find(gameDir, at))
        line.erase(at, gameDir.size());
      lines.push_back(line);
    }
    return lines;
  }
  static void ExpectDone(const SetupRun& run) {
    ASSERT_EQ(run.code, kUnattendedDone) << run.output;
  }
  std::string Level(const std::string& level, const std::string& file) const {
    return fixture_.gameDir + "\\Levels\\" + level + "\\" + file;
  }
  std::string Mod(const std::string& file) const {
    return fixture_.gameDir + "\\Mods\\VELK_Av8\\" + file;
  }

  // Every run remembers its game folder, as the window does.
  // Every install writes the desktop shortcut that some of these tests read.
  testkit::DesktopLock desktopLock_;
  testkit::SettingsLock settingsLock_;
  testkit::TempFolder temp_{"unatt"};
  testkit::Fixture fixture_;
  const MessageCatalogue english_ = EnglishCatalogue();
};

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
}  // namespace velk
