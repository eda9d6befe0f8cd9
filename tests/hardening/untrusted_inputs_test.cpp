// Files and switches the setup reads but does not own (a run log made a link, a /LOG= file,
// Steam's library list, the game folder switches, registry entries of stores): none of them
// may make it write where it must not, crash, or take one game for two.
#include <string>
#include <vector>

#include "engine/message_catalogue.h"
#include "hardening/hardening_fixture.h"
#include "kit/game_registry.h"
#include "kit/unix_side.h"
#include "wizard/catalogue.h"

namespace velk::hardening {
namespace {

const MessageCatalogue kEnglish = EnglishCatalogue();

class UntrustedInputs : public HardeningTest {
 protected:
  // A folder outside the game with a file anything might be tricked into writing.
  void MakeVictim() {
    victimDir_ = temp_.path() + "\\victim";
    victim_ = victimDir_ + "\\precious.txt";
    testkit::WriteFile(victim_, "the user's own bytes\r\n");
    victimBefore_ = testkit::HashTree(victimDir_);
  }
  void ExpectVictimKept() const { EXPECT_EQ(testkit::HashTree(victimDir_), victimBefore_); }
  // VelkSetup.exe /S /LANG=en <switches>, no game folder named: it is remembered or found.
  SetupRun RunWithoutFolder(const std::string& switches) {
    testkit::SettingsLock::ForgetGameDir();
    SetupRun run;
    run.code = testkit::RunProgram("\"" + fixture_.appDir + "\\VelkSetup.exe\" /S /LANG=en " + switches,
                                   temp_.path(), &run.output, 90000);
    EXPECT_NE(run.code, -1) << "no end within the time limit: " << switches;
    return run;
  }
  static size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
  }

  std::string victimDir_, victim_;
  Tree victimBefore_;
};

TEST_F(UntrustedInputs, ARunLogThatIsALinkIsNotWrittenThrough) {
  MakeFolders();
  MakeVictim();
  testkit::MakeUnixLink(fixture_.gameDir + "\\velk.log", victim_);
  const SetupRun run = RunChecked("/COMPONENTS=scripts");
  EXPECT_EQ(run.code, 0) << run.output;  // the run goes on without its log
  ExpectVictimKept();
  EXPECT_TRUE(testkit::Exists(fixture_.gameDir + "\\Mods\\VELK_Av8\\ModDesc.txt"));
  ExpectStockKept(stock_, Game());
}

struct LogTargetCase {
  const char* name;
  std::string target;  // what /LOG= names
  std::string MessageCatalogue::*reason;
};

TEST_F(UntrustedInputs, ALogCopyOntoAFileOfTheGameOrTheSetupIsRefusedBeforeAnyChange) {
  MakeFolders();
  MakeVictim();
  const std::string outsideLink = temp_.path() + "\\copy.log";
  testkit::MakeUnixLink(outsideLink, victim_);
  const std::string& game = fixture_.gameDir;
  const std::string& app = fixture_.appDir;
  const std::vector<LogTargetCase> cases = {
      {"a stock level archive", Level("Archive", "level.pak"), &MessageCatalogue::MsgLogCopyInGame},
      {"the same through another spelling", game + "\\Levels\\x\\..\\Archive\\level.pak.",
       &MessageCatalogue::MsgLogCopyInGame},
      {"the run log itself", game + "\\VELK.LOG", &MessageCatalogue::MsgLogCopyInGame},
      {"a .log in a level folder", Level("Dam", "mine.log"), &MessageCatalogue::MsgLogCopyInGame},
      {"the game's program", game + "\\Bin32\\FarCry.exe", &MessageCatalogue::MsgLogCopyInGame},
      {"the setup's archiver", app + "\\7z.exe", &MessageCatalogue::MsgLogCopyOfSetup},
      {"the setup's payload", app + "\\MODFILES.7z", &MessageCatalogue::MsgLogCopyOfSetup},
      {"the setup's work folder", app + "\\Temp\\mine.log", &MessageCatalogue::MsgLogCopyOfSetup},
      {"a link out of both", outsideLink, &MessageCatalogue::MsgLogCopyUnsafe},
  };
  const Tree setup = testkit::HashTree(app);
  for (const LogTargetCase& c : cases) {
    const SetupRun run = RunChecked("\"/LOG=" + c.target + "\"");
    EXPECT_EQ(run.code, 2) << c.name << ": " << run.output;
    EXPECT_TRUE(Contains(run.output, FormatText(kEnglish.*c.reason, c.target))) << c.name << ": " << run.output;
    EXPECT_EQ(Game(), stock_) << c.name;  // not even the run log was started
    EXPECT_EQ(testkit::HashTree(app), setup) << c.name;
    ExpectVictimKept();
  }
  // A log of the caller's own beside the run log takes the copy.
  const SetupRun run = RunChecked("/COMPONENTS=scripts \"/LOG=" + game + "\\mine.log\"");
  EXPECT_EQ(run.code, 0) << run.output;
  EXPECT_EQ(testkit::ReadFile(game + "\\mine.log"), testkit::ReadFile(game + "\\velk.log"));
  ExpectVictimKept();
}

TEST_F(UntrustedInputs, GameFolderSwitchesThatDisagreeChangeNothing) {
  MakeFolders();
  MakeVictim();
  const testkit::Fixture second = testkit::MakeFixture(temp_.path() + "\\second", {}, {});
  const Tree secondBefore = testkit::HashTree(second.gameDir);
  const SetupRun run = RunChecked("\"/DIR=" + second.gameDir + "\"");
  EXPECT_EQ(run.code, 2) << run.output;
  EXPECT_TRUE(Contains(run.output, "'" + fixture_.gameDir + "', '" + second.gameDir + "'")) << run.output;
  EXPECT_EQ(Game(), stock_);
  EXPECT_EQ(testkit::HashTree(second.gameDir), secondBefore);
  ExpectVictimKept();
  // The same folder twice, in two spellings, is one folder.
  const SetupRun same = RunChecked("/COMPONENTS=scripts \"/DIR=" + fixture_.gameDir + "\\Bin32\\..\"");
  EXPECT_EQ(same.code, 0) << same.output;
}

struct SteamListCase {
  const char* name;
  std::string libraryList;
};

TEST_F(UntrustedInputs, ASteamLibraryListBeyondTheBoundsIsPassedOver) {
  MakeFolders();
  MakeVictim();
  testkit::GameRegistry registry;
  const std::string steam = temp_.path() + "\\Steam";
  registry.SetSteamPath(steam);
  registry.AddGogGame(fixture_.gameDir);
  const std::vector<SteamListCase> cases = {
      {"100,000 nested blocks", std::string(100000, '{')},
      {"over a megabyte", "\"libraryfolders\" { \"1\" \"" + steam + "\" }" + std::string(1100000, ' ')},
  };
  for (const SteamListCase& c : cases) {
    testkit::WriteFile(steam + "\\steamapps\\libraryfolders.vdf", c.libraryList);
    const SetupRun run = RunWithoutFolder("/COMPONENTS=scripts");
    EXPECT_EQ(run.code, 0) << c.name << ": " << run.output;
    EXPECT_TRUE(Contains(run.output, "\"" + fixture_.gameDir + "\" (GOG)")) << c.name << ": " << run.output;
    ExpectStockKept(stock_, Game());
    ExpectVictimKept();
  }
}

TEST_F(UntrustedInputs, OneGameFoundUnderTwoSpellingsIsOneInstallation) {
  MakeFolders();
  MakeVictim();
  testkit::GameRegistry registry;
  const std::string steamGame = registry.AddSteamGame(temp_.path() + "\\stores");
  const std::string library = steamGame.substr(0, steamGame.rfind('\\'));
  for (const std::string& gogSpelling : {library + "\\x\\..\\Far Cry", steamGame + "\\."}) {
    registry.AddGogGame(gogSpelling);
    const SetupRun run = RunWithoutFolder("/COMPONENTS=scripts");
    EXPECT_EQ(run.code, 0) << gogSpelling << ": " << run.output;
    EXPECT_FALSE(Contains(run.output, FormatText(kEnglish.MsgSeveralGamesFound, ""))) << run.output;
    // Named once, in quotes, where it was met first beside them.
    EXPECT_EQ(Count(run.output, steamGame), 1u) << run.output;
    EXPECT_TRUE(Contains(run.output, "Far Cry found in \"" + steamGame + "\" (Steam): using that folder."))
        << run.output;
    EXPECT_EQ(Game(), stock_);  // the fixture's game was not among those found
    ExpectVictimKept();
  }
}

}  // namespace
}  // namespace velk::hardening
