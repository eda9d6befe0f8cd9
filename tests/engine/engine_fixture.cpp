#include "engine_fixture.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "engine/choices.h"
#include "wizard/request_capture.h"
#include "levels/game_folder_check.h"
#include "levels/level_discovery.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/shell.h"
#include "support/text_codec.h"
#include "support/win_handles.h"
#include "wizard/catalogue.h"

namespace velk::enginetest {

void RecordingUi::ShowError(const std::string& text) {
  events.push_back("box: " + text);
  MemoryUi::ShowError(text);
}

bool RecordingUi::SetProgress(int value) {
  events.push_back("progress: " + std::to_string(value));
  return !refuseProgress && MemoryUi::SetProgress(value);
}

void RecordingUi::SetText(Ctl control, const std::string& text) {
  if (control == Ctl::Label7) events.push_back("label7: " + text);
  MemoryUi::SetText(control, text);
}

void RecordingUi::ShowPage(int pageIndex, bool visible) {
  MemoryUi::ShowPage(pageIndex, visible);
  if (!visible) return;
  events.push_back("page: " + std::to_string(pageIndex));
  if (onPageShown) onPageShown(pageIndex);
}

std::vector<std::string> RecordingUi::Boxes() const {
  std::vector<std::string> boxes;
  for (const Message& m : Messages()) boxes.push_back(m.text);
  return boxes;
}

void EngineTest::Prepare(const testkit::GameOptions& game, const testkit::AppOptions& app) {
  fx_ = testkit::MakeFixture(root_.path(), game, app);
  previousFolder_ = CurrentFolder();
  ASSERT_TRUE(SetCurrentFolder(fx_.appDir));
  session_.AppDir = fx_.appDir;
  session_.Texts = EnglishCatalogue();
  session_.ModsDir = fx_.gameDir + "\\Mods\\";
  session_.Request.gameDir = fx_.gameDir;
  ASSERT_TRUE(RestartRunLog(fx_.gameDir, session_.ModTag));
  ui_.LogTo(RunLogFile(fx_.gameDir));
  GetInstLevels(fx_.gameDir, session_.InstalledLevels);
  DeleteFileAt(LinkFile());
}

void EngineTest::TearDown() {
  DeleteFileAt(LinkFile());
  // The fixture's folders can only go when the process no longer stands in one of them.
  if (!previousFolder_.empty()) SetCurrentFolder(previousFolder_);
}

void EngineTest::Page(int pageIndex) {
  // The wizard takes the choices when the choices page is left and the level list when it is
  // left; a test that enters a later page directly has just set them.
  if (pageIndex >= 2) session_.Request.choices = ReadChoices(ui_);
  if (pageIndex == 3) session_.Request.levels = ReadLevelList(ui_);
  session_.PageIndex = pageIndex;
  ui_.ShowPage(pageIndex, true);
  DoOutput(session_, ui_, [this] { EnterNextPage(); });
}

void EngineTest::EnterNextPage() { Page(session_.PageIndex + 1); }

std::vector<std::string> EngineTest::RunLog() const {
  std::vector<std::string> log = testkit::LogTexts(fx_.gameDir);
  EXPECT_GE(log.size(), 4u);
  log.erase(log.begin(), log.begin() + std::min<size_t>(4, log.size()));
  if (!log.empty() && log.back().empty()) log.pop_back();
  return log;
}

std::string EngineTest::Desktop() const {
  std::string desktop;
  EXPECT_TRUE(GetSpecialFolder(nullptr, kDesktopFolderId, desktop));
  return desktop;
}

std::vector<std::string> RowTexts(const MemoryUi& ui) {
  std::vector<std::string> texts;
  for (const MemoryUi::Row& row : ui.Rows()) texts.push_back(row.text);
  return texts;
}

void TickOnly(WizardUi& ui, const std::vector<std::string>& levels) {
  for (int row = 0; row < ui.LevelRowCount(); ++row) {
    const std::string text = ui.LevelRowText(row);
    ui.SetLevelRowTicked(row, std::find(levels.begin(), levels.end(), text) != levels.end());
  }
}

void ExpectInOrder(const std::vector<std::string>& log, const std::vector<std::string>& lines) {
  auto from = log.begin();
  for (const std::string& line : lines) {
    const auto found = std::find(from, log.end(), line);
    if (found == log.end()) {
      ADD_FAILURE() << "not found in order: " << line;
      return;
    }
    from = found + 1;
  }
}

void OneLevelTest::SetUp() {
  testkit::AppOptions app;
  app.withModFiles = app.withMapFiles = false;
  testkit::GameOptions game;
  game.levels = {"Archive"};
  Prepare(game, app);
  session_.CurrentLevel = "Archive";
  session_.LevelDir = LevelDir("Archive");
  session_.LevelWorkDir = work_ = WorkDir("Archive");
  testkit::WriteFile(work_ + "\\Archive.lua", testkit::ModScriptText("Archive"));
  testkit::WriteFile(work_ + "\\mission_velk.xml", testkit::MissionFileText());
  testkit::WriteFile(work_ + "\\velk_objects.xml", "<Objects/>\r\n");
}

}  // namespace velk::enginetest
