#pragma once
// Shared ground of the bad-input matrix: a game folder and a payload folder with the real
// program and the real 7-Zip, runs of "VelkSetup.exe /S", and the check that the game's own
// files survive every run byte for byte.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "hardening/unwritable_folder.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"

namespace velk::hardening {

using Tree = std::map<std::string, std::string>;  // relative path -> content hash

struct SetupRun {
  int code = -1;
  std::string output;  // stdout and stderr together
};

inline bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}
using testkit::LogHas;
using testkit::LogMentions;

// What an action may leave in the game folder besides the stock files: the run log, the mod
// folder, per level levelvelk.pak (or its switched-off name) and the script backup; a level
// script may only change when its stock bytes are kept in <script>.bak. Stock files are
// never removed or changed otherwise.
// With modsMayHoldMore, files anywhere below Mods count as the payload's (a crafted one).
void ExpectStockKept(const Tree& stock, const Tree& after, bool modsMayHoldMore = false);
// After an uninstall: exactly the stock tree again (the run log aside).
void ExpectStockRestored(const Tree& stock, const Tree& after);
// A complete install of `levels`: each converted, the mod folder in place.
void ExpectInstalled(const std::string& gameDir, const Tree& stock, const std::vector<std::string>& levels);

// A ZIP file written by hand (stored entries), so that entry names can be anything,
// "..\" and drive paths included.
void WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries);

class HardeningTest : public ::testing::Test {
 protected:
  // A game folder and a payload folder (with the program) below `parent`, the test's own
  // temporary folder when empty.
  void MakeFolders(const std::string& gameName = "Far Cry", const std::string& appName = "VelkSetup",
                   const std::string& parent = {}, testkit::GameOptions game = {},
                   testkit::AppOptions app = {});
  // VelkSetup.exe /S "/D=<gameDirText>" /LANG=en <switches>; gameDirText is the game folder
  // when empty. Every run names its folder, so the remembered FCDir it leaves matters to no
  // other run.
  SetupRun Run(const std::string& switches = {}, const std::string& gameDirText = {});
  // The same, and fails the test when the program did not end on its own.
  SetupRun RunChecked(const std::string& switches = {}, const std::string& gameDirText = {});
  Tree Game() const { return testkit::HashTree(fixture_.gameDir); }
  std::string Level(const std::string& level, const std::string& file = {}) const;

  // Every install writes the desktop shortcut, which other test programs read.
  testkit::DesktopLock desktopLock_;
  testkit::TempFolder temp_{"hard"};
  testkit::Fixture fixture_;
  Tree stock_;  // the game folder as MakeFolders left it
  const std::vector<std::string> levels_ = {"Archive", "Boat", "Dam"};
};

}  // namespace velk::hardening
