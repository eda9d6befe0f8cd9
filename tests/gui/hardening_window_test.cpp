// The real window on a game folder with a hostile name whose level folder the wizard may not
// write to: it asks whether to restart as administrator before it changes anything, explains
// on No, and once the folder is writable installs through all pages.
#include <windows.h>

#include <map>
#include <vector>
#include <string>

#include <gtest/gtest.h>

#include "engine/message_catalogue.h"
#include "gui/gui_driver.h"
#include "hardening/unwritable_folder.h"
#include "kit/running_game.h"
#include "kit/test_kit.h"
#include "wizard/catalogue.h"
#include "wizard/control_table.h"
#include "wizard/window_names.h"

namespace velk::gui {
namespace {

struct ButtonSearch {
  std::wstring label;
  HWND found = nullptr;
};

// Presses the box's button with this caption (the "&" of its access key left out).
bool PressButton(const MessageBoxInfo& box, const std::string& label) {
  ButtonSearch search{Widen(label)};
  EnumChildWindows(
      box.window,
      [](HWND child, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<ButtonSearch*>(data);
        wchar_t text[64] = {};
        GetWindowTextW(child, text, 64);
        std::wstring caption;
        for (const wchar_t* c = text; *c; ++c)
          if (*c != L'&') caption += *c;
        if (caption != s->label) return TRUE;
        s->found = child;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  PostMessageW(search.found, BM_CLICK, 0, 0);
  return true;
}

std::vector<std::string> WithoutAccessKeys(std::vector<std::string> captions) {
  for (std::string& caption : captions) std::erase(caption, '&');
  return captions;
}

TEST(HardeningWindow, UnwritableLevelFolderIsFoundBeforeAnyChangeThenTheInstallRuns) {
  testkit::GameOptions game;
  game.folderName = "Far & Cry %PATH% ^!x! (1)";
  WizardSetup setup(game);
  const std::string gameDir = setup.fixture.gameDir;
  const std::string dam = gameDir + "\\Levels\\Dam";
  const std::map<std::string, std::string> stock = testkit::HashTree(gameDir);
  const MessageCatalogue english = EnglishCatalogue();
  ClearGameDirSetting();
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  wizard->ChooseComboItem(IdOf(Ctl::Combo1), 1);  // English
  ASSERT_TRUE(wizard->Settle());
  {
    hardening::UnwritableFolder guard(dam);
    if (!guard.holds()) GTEST_SKIP() << "this system cannot make a folder unwritable";
    wizard->SetText(IdOf(Ctl::Text1), gameDir);
    wizard->Click(IdOf(Ctl::Command5));
    auto box = wizard->WaitForMessageBox();
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, FormatText(english.MsgRestartElevated, dam));
    EXPECT_EQ(WithoutAccessKeys(box->buttons), (std::vector<std::string>{"Yes", "No"}));
    EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("hardening-restart-question.png")));
    ASSERT_TRUE(PressButton(*box, "No"));
    ASSERT_TRUE(WaitUntil([&] {
      // The first box may still be closing, the second one still without its text.
      box = wizard->WaitForMessageBox(0);
      return box && !box->text.empty() && box->text != FormatText(english.MsgRestartElevated, dam);
    }));
    EXPECT_EQ(box->text, FormatText(english.MsgNoWriteAccess, dam));
    EXPECT_TRUE(box->hasIcon);
    EXPECT_EQ(box->buttons, std::vector<std::string>{"OK"});
    WizardProcess::PressOk(*box);
    ASSERT_TRUE(WaitUntil([&] { return !wizard->WaitForMessageBox(0); }));
    ASSERT_TRUE(wizard->Settle());
    EXPECT_EQ(wizard->VisiblePage(), 0);
    EXPECT_TRUE(wizard->Enabled(IdOf(Ctl::Command5)));
  }
  std::map<std::string, std::string> now = testkit::HashTree(gameDir);
  now.erase("velk.log");
  EXPECT_EQ(now, stock) << "nothing but the log changed";

  // The folder writable again: the same window installs through every page.
  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  ASSERT_TRUE(wizard->Settle());
  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 2 && wizard->ListRowCount() == 3; }, 60000));
  ASSERT_TRUE(wizard->Settle(60000));
  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] {
    const std::vector<std::string> log = testkit::LogTexts(gameDir);
    return !log.empty() && log.back() == "Finished creating!";
  }, 90000));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(wizard->VisiblePage(), 3);
  EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("hardening-installed-page3.png")));
  EXPECT_FALSE(wizard->WaitForMessageBox(0).has_value()) << "no message on the way";
  for (const char* level : {"Archive", "Boat", "Dam"})
    EXPECT_TRUE(testkit::Exists(gameDir + "\\Levels\\" + level + "\\levelvelk.pak")) << level;
  now = testkit::HashTree(gameDir);
  for (const auto& [name, hash] : stock) {
    const bool script = name.size() > 4 && name.substr(name.size() - 4) == ".lua";
    if (script) {
      EXPECT_EQ(now[name + ".bak"], hash) << name;
    } else {
      EXPECT_EQ(now[name], hash) << name;
    }
  }
  wizard->Close();
  EXPECT_TRUE(wizard->WaitForExit().has_value());
}

// The game running from the folder: the choices page asks to close it, with Retry and Cancel;
// Cancel offers the way back to the choices, and Retry once the game has ended goes on.
TEST(HardeningWindow, RunningGameIsFoundBeforeAnyChangeAndRetryGoesOn) {
  WizardSetup setup;
  const std::string gameDir = setup.fixture.gameDir;
  testkit::RunningGame game(gameDir);
  ASSERT_TRUE(game.Running());
  std::map<std::string, std::string> stock = testkit::HashTree(gameDir);
  const MessageCatalogue english = EnglishCatalogue();
  ClearGameDirSetting();
  auto wizard = StartWizard(setup.program);
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 0; }));
  wizard->ChooseComboItem(IdOf(Ctl::Combo1), 1);  // English
  wizard->SetText(IdOf(Ctl::Text1), gameDir);
  wizard->Click(IdOf(Ctl::Command5));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 1; }));
  ASSERT_TRUE(wizard->Settle());
  const auto nextBox = [&](const std::string& text) {
    std::optional<MessageBoxInfo> box;
    EXPECT_TRUE(WaitUntil([&] {
      box = wizard->WaitForMessageBox(0);
      return box && box->text == text;
    })) << (box ? box->text : "no box");
    return box;
  };

  wizard->Click(IdOf(Ctl::Command5));
  auto box = nextBox(FormatText(english.MsgGameRunning, game.Exe()));
  ASSERT_TRUE(box.has_value());
  EXPECT_EQ(WithoutAccessKeys(box->buttons), (std::vector<std::string>{"Retry", "Cancel"}));
  EXPECT_TRUE(wizard->SaveScreenshot(ScreenshotPath("hardening-game-running.png")));
  ASSERT_TRUE(PressButton(*box, "Cancel"));
  box = nextBox(FormatText(english.MsgBackOrExit, ""));
  ASSERT_TRUE(box.has_value());
  ASSERT_TRUE(PressButton(*box, "Yes"));
  ASSERT_TRUE(WaitUntil([&] { return !wizard->WaitForMessageBox(0); }));
  ASSERT_TRUE(wizard->Settle());
  EXPECT_EQ(wizard->VisiblePage(), 1) << "back on the choices";
  std::map<std::string, std::string> now = testkit::HashTree(gameDir);
  now.erase("velk.log");
  stock.erase("velk.log");
  EXPECT_EQ(now, stock) << "nothing but the log changed";

  wizard->Click(IdOf(Ctl::Command5));
  box = nextBox(FormatText(english.MsgGameRunning, game.Exe()));
  ASSERT_TRUE(box.has_value());
  game.End();
  ASSERT_TRUE(PressButton(*box, "Retry"));
  ASSERT_TRUE(WaitUntil([&] { return wizard->VisiblePage() == 2 && wizard->ListRowCount() == 3; }, 60000));
  wizard->Close();
  EXPECT_TRUE(wizard->WaitForExit(60000).has_value());
}

}  // namespace
}  // namespace velk::gui
