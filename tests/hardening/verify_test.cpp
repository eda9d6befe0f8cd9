// /S /ACTION=verify: what a game file check, a patch or another mod undid is found from the
// install record and the disk, and the check itself changes nothing, not even the run log.
#include <functional>
#include <string>
#include <vector>

#include "hardening/hardening_fixture.h"
#include "support/file_helpers.h"

namespace velk::hardening {
namespace {

class Verify : public HardeningTest {
 protected:
  // Runs the check and expects the game folder unchanged, byte for byte.
  SetupRun Check() {
    const Tree before = Game();
    const SetupRun run = RunChecked("/ACTION=verify");
    EXPECT_EQ(Game(), before) << "the check changed the game folder";
    return run;
  }
};

TEST_F(Verify, FindsWhatWasUndoneAndChangesNothing) {
  const struct {
    const char* what;
    std::function<void()> change;  // done to a fresh install
    int code;
    const char* finding;  // a part of the line that must be printed
  } cases[] = {
      {"as installed", [] {}, 0, "installed as it should be"},
      {"a stock script put back by hand",
       [this] { testkit::WriteFile(Level("Boat", "Boat.lua"), testkit::StockScriptText("Boat")); }, 1,
       "Level Boat: the original script of the game is back"},
      {"a level.pak replaced (by a copy written anew, as a file check does)",
       [this] {
         const std::string pak = Level("Dam", "level.pak");
         testkit::WriteFile(pak, testkit::ReadFile(pak));
       },
       1, "Level Dam: its level.pak changed"},
      {"switched off", [this] { ASSERT_EQ(RunChecked("/ACTION=toggle").code, 0); }, 0,
       "Level Archive: the mod is switched off"},
      {"the mod folder gone, the archives left",
       [this] { ASSERT_TRUE(RemoveFolderTree(fixture_.gameDir + "\\Mods\\VELK_Av8")); }, 1,
       "The mod folder"},
      {"the mod uninstalled", [this] { ASSERT_EQ(RunChecked("/ACTION=uninstall").code, 0); }, 8,
       "not installed"},
  };
  MakeFolders();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(RunChecked().code, 0);  // a fresh install (a repair after the case before)
    c.change();
    const SetupRun run = Check();
    EXPECT_EQ(run.code, c.code) << run.output;
    EXPECT_TRUE(Contains(run.output, c.finding)) << run.output;
    if (c.code == 1) EXPECT_TRUE(Contains(run.output, "/ACTION=install")) << run.output;
  }
}

TEST_F(Verify, AGameTheModNeverTouchedIsNotInstalled) {
  MakeFolders();
  const SetupRun run = Check();
  EXPECT_EQ(run.code, 8) << run.output;
  EXPECT_TRUE(Contains(run.output, "The VELK Mod is not installed in this game folder.")) << run.output;
  EXPECT_FALSE(testkit::Exists(fixture_.gameDir + "\\velk.log"));
}

}  // namespace
}  // namespace velk::hardening
