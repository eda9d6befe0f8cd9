// The install record is a file anyone may edit: whatever lines it holds, the uninstall and the
// switch-over touch nothing but the mod's own files in this game, and still give the stock
// game back. The game folder and a victim folder outside it are hashed before and after.
#include <windows.h>

#include <string>
#include <vector>

#include "hardening/hardening_fixture.h"
#include "kit/unix_side.h"
#include "support/content_hash.h"
#include "support/file_helpers.h"

namespace velk::hardening {
namespace {

class UntrustedRecord : public HardeningTest {
 protected:
  void SetUp() override {
    MakeFolders();
    victim_ = fixture_.root + "\\victim";
    // Everything a level folder of the mod could hold, where no action may reach it.
    for (const char* name : {"secret.txt", "levelvelk.pak", "levelvelk.pak.dis", "levelvelkki.pak",
                             "levelvelk.pak.velkpart", "victim.lua", "victim.lua.bak", "victim.lua.velk.bak",
                             "victim.lnk"})
      testkit::WriteFile(victim_ + "\\" + name, std::string("precious ") + name + "\r\n");
    // What a switched-off level would hold, in a folder the level scan does not take for one.
    for (const char* name : {"levelvelk.pak.dis", "levelvelk.pak.velkpart"})
      testkit::WriteFile(victim_ + "\\linked\\" + name, std::string("precious ") + name + "\r\n");
    victimTree_ = testkit::HashTree(victim_);
  }

  std::string RecordFile() const { return fixture_.gameDir + "\\Mods\\VELK_Av8\\InstallRecord.txt"; }
  void ExpectVictimUntouched(const std::string& what) {
    EXPECT_EQ(testkit::HashTree(victim_), victimTree_) << what;
  }

  std::string victim_;
  Tree victimTree_;
};

TEST_F(UntrustedRecord, HostileLinesAreIgnoredByEveryActionAndTheStockGameComesBack) {
  testkit::MappedDrive drive("x", victim_);
  testkit::LocalShare share("velkrec" + std::to_string(GetCurrentProcessId()), victim_);
  const std::string secretHash = ContentHash(testkit::ReadFile(victim_ + "\\secret.txt"));
  const std::string exeHash = ContentHash(testkit::ReadFile(fixture_.gameDir + "\\Bin32\\FarCry.exe"));
  const std::string archiveScript = "Levels\\Archive\\Archive.lua";
  const struct {
    const char* form;
    std::string line;
  } hostile[] = {
      {"relative with ..", "level\t..\\victim"},
      {"through a level folder", "level\tLevels\\..\\..\\victim"},
      {"absolute", "level\t" + victim_},
      {"forward slashes", "level\t" + victim_ + "/./"},
      {"raw prefix", "level\t\\\\?\\" + victim_},
      {"other drive", "level\tX:\\"},
      {"share", "level\t" + share.root()},
      {"the game folder itself", "level\t."},
      {"a folder that is no level", "level\tBin32"},
      {"backup naming level.pak", "script\t" + archiveScript + "\tlevel.pak\tx"},
      {"backup naming an outside file", "script\t" + archiveScript + "\t..\\..\\..\\victim\\secret.txt\tx"},
      {"script outside the game", "script\t" + victim_ + "\\secret.txt\t\t" + secretHash},
      {"script outside a level folder", "script\tBin32\\FarCry.exe\t\t" + exeHash},
      {"script of another name", "script\tLevels\\Archive\\level.pak\t\tx"},
      {"not a record line", "delete\tLevels\\Archive\\level.pak"},
      {"shortcut outside the desktop", "shortcut\t" + victim_ + "\\victim.lnk"},
      {"shortcut up from the desktop", "shortcut\t..\\..\\..\\victim\\victim.lnk"},
      {"shortcut naming no shortcut", "shortcut\tdesktop.ini"},
  };
  ASSERT_EQ(RunChecked().code, 0);
  const std::string record = testkit::ReadFile(RecordFile());
  ASSERT_FALSE(record.empty());

  // Each form alone, through a switch-over off and on again.
  for (const auto& h : hostile) {
    testkit::WriteFile(RecordFile(), record + h.line + "\r\n");
    for (int pass = 0; pass < 2; ++pass) {
      const SetupRun run = RunChecked("/ACTION=toggle");
      EXPECT_EQ(run.code, 0) << h.form << "\n" << run.output;
    }
    ExpectVictimUntouched(h.form);
    EXPECT_TRUE(LogMentions(fixture_.gameDir, "Ignored line")) << h.form;
    EXPECT_TRUE(testkit::Exists(Level("Archive", "levelvelk.pak"))) << h.form;
    EXPECT_TRUE(testkit::Exists(Level("Archive", "level.pak"))) << h.form;
  }

  // All of them at once, then the uninstall: the stock game again, byte for byte.
  std::string all = record;
  for (const auto& h : hostile) all += h.line + "\r\n";
  testkit::WriteFile(RecordFile(), all);
  const SetupRun run = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectVictimUntouched("uninstall");
  ExpectStockRestored(stock_, Game());
}

TEST_F(UntrustedRecord, ACutShortOrOversizedRecordLeavesNoLevelHalfUndone) {
  const struct {
    const char* form;
    // The record as it was written, to what is left of it.
    std::string (*damage)(const std::string& record);
  } damaged[] = {
      {"cut after the second level line",
       [](const std::string& r) { return r.substr(0, r.find("\n", r.find("level\tLevels\\Boat")) + 1); }},
      {"cut inside the first script line",
       [](const std::string& r) { return r.substr(0, r.find("script\t") + 20); }},
      {"cut inside the header", [](const std::string& r) { return r.substr(0, 10); }},
      {"grown past 1 MB", [](const std::string& r) { return r + std::string(1100000, ' ') + "\r\n"; }},
      {"20,000 lines",
       [](const std::string& r) {
         std::string grown = r;
         for (int i = 0; i < 10000; ++i) grown += "level\tLevels\\L" + std::to_string(i) + "\r\nlevel\t..\\victim\r\n";
         return grown;
       }},
  };
  for (const auto& d : damaged) {
    ASSERT_EQ(RunChecked().code, 0) << d.form;
    testkit::WriteFile(RecordFile(), d.damage(testkit::ReadFile(RecordFile())));
    const SetupRun run = RunChecked("/ACTION=uninstall");
    EXPECT_EQ(run.code, 0) << d.form << "\n" << run.output;
    ExpectVictimUntouched(d.form);
    ExpectStockRestored(stock_, Game());
  }
}

TEST_F(UntrustedRecord, AScriptOrBackupThatIsALinkOutOfTheGameIsNotTheWizards) {
  ASSERT_EQ(RunChecked().code, 0);
  // The backup the record names now leads to the victim's file, and a level folder the record
  // names is a link out of the game.
  const std::string backup = Level("Dam", "Dam.lua.bak");
  ASSERT_TRUE(DeleteFileAt(backup));
  testkit::MakeUnixLink(backup, victim_ + "\\victim.lua.bak");
  testkit::MakeUnixLink(fixture_.gameDir + "\\Levels\\Linked", victim_ + "\\linked");
  testkit::WriteFile(RecordFile(), testkit::ReadFile(RecordFile()) + "level\tLevels\\Linked\r\n");
  ASSERT_EQ(RunChecked("/ACTION=toggle").code, 0);
  ExpectVictimUntouched("switched off");
  ASSERT_EQ(RunChecked("/ACTION=toggle").code, 0);
  ExpectVictimUntouched("switched on");
  const SetupRun run = RunChecked("/ACTION=uninstall");
  EXPECT_EQ(run.code, 0) << run.output;
  ExpectVictimUntouched("links");
  EXPECT_TRUE(LogMentions(fixture_.gameDir, "Ignored line")) << run.output;
  // Archive and Boat come back; Dam keeps the mod's script, its stock one being out of reach.
  EXPECT_EQ(testkit::ReadFile(Level("Archive", "Archive.lua")), testkit::StockScriptText("Archive"));
  EXPECT_EQ(testkit::ReadFile(Level("Dam", "Dam.lua")), testkit::ModScriptText("Dam"));
}

}  // namespace
}  // namespace velk::hardening
