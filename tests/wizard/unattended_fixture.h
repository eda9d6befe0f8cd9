#pragma once
// The unattended tests' ground: real runs of VelkSetup.exe /S from a payload folder beside a
// game folder.
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

namespace velk::unattendedtest {

using testkit::LogHas;

inline const std::vector<std::string> kLevels = {"Archive", "Boat", "Dam"};

struct SetupRun {
  int code = -1;
  std::string output;  // stdout and stderr together
};

inline bool Contains(const std::string& text, const std::string& part) {
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

}  // namespace velk::unattendedtest
