#pragma once
// A game folder and a payload folder made by the kit, the session and an in-memory window
// over them, as the wizard has them once the game folder page is left.
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "wizard/memory_ui.h"
#include "engine/page_work.h"
#include "kit/link_file.h"
#include "kit/named_lock.h"
#include "kit/test_kit.h"

namespace velk::enginetest {

// Also notes, in order, what the window was asked to show.
class RecordingUi : public MemoryUi {
 public:
  std::vector<std::string> events;  // "box: ...", "progress: n", "label7: ...", "page: n"
  std::function<void(int)> onPageShown;
  bool refuseProgress = false;  // a bar that takes no value at all

  void ShowError(const std::string& text) override;
  bool SetProgress(int value) override;
  void SetText(Ctl control, const std::string& text) override;
  void ShowPage(int pageIndex, bool visible) override;
  std::vector<std::string> Boxes() const;
};

using testkit::LinkFields;
using testkit::ReadLink;
using testkit::Sorted;

std::vector<std::string> RowTexts(const MemoryUi& ui);
// Ticks exactly these rows of the level list.
void TickOnly(WizardUi& ui, const std::vector<std::string>& levels);
// Each of `lines` appears in `log`, each after the one before.
void ExpectInOrder(const std::vector<std::string>& log, const std::vector<std::string>& lines);

using testkit::DesktopLock;

class EngineTest : public ::testing::Test {
 protected:
  void TearDown() override;

  // Builds the folders, makes AppDir the current folder (the archiver's "." work folder),
  // starts the run log with its header and lists the installed levels.
  void Prepare(const testkit::GameOptions& game = {}, const testkit::AppOptions& app = {});
  // DoOutput for one page; nextPage enters the following pages the way the wizard does.
  void Page(int pageIndex);
  void EnterNextPage();
  // The run log's texts after its four header lines.
  std::vector<std::string> RunLog() const;
  std::string Desktop() const;
  std::string LinkFile() const { return Desktop() + "\\Far Cry VELK.lnk"; }
  std::string LevelDir(const std::string& level) const { return fx_.gameDir + "\\Levels\\" + level; }
  std::string ModFolder() const { return fx_.gameDir + "\\Mods\\VELK_Av8"; }
  std::string WorkDir(const std::string& level) const { return fx_.appDir + "\\Temp\\" + level; }
  std::string InstalledLine(const std::string& level) const {
    return "  " + level + " [" + LevelDir(level) + "]";
  }
  std::string AvailableLine(const std::string& level) const {
    return "  " + level + " [" + fx_.appDir + "\\temp\\" + level + "]";
  }

  DesktopLock desktopLock_;
  testkit::TempFolder root_{"eng"};
  testkit::Fixture fx_;
  WizardSession session_;
  RecordingUi ui_;
  std::string previousFolder_;
};

// One level, Archive, ready for its archive: the stock level.pak in the game, the mod's script,
// mission file and one more file in its work folder; no payload archives.
class OneLevelTest : public EngineTest {
 protected:
  void SetUp() override;
  std::string NewArchive() const { return LevelDir("Archive") + "\\levelvelk.pak"; }
  std::string work_;
};

}  // namespace velk::enginetest
