// A level's archive when the archiver's run goes wrong: its reply lost after it made the
// archive, an archiver that lies or never ends, and a level folder that cannot take the copy.
// Real 7-Zip, real cmd, real files; tests/programs/false_archiver stands in for a bad 7z.exe.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/level_archive.h"
#include "engine_fixture.h"
#include "kit/held_file.h"
#include "kit/start_faults.h"
#include "support/file_helpers.h"
#include "support/running_programs.h"

namespace velk::enginetest {
namespace {

class ArchiverFaults : public OneLevelTest {
 protected:
  void UseFalseArchiver(const std::string& mode) {
    const std::string archiver = fx_.appDir + "\\7z.exe";
    ASSERT_TRUE(CopyFileOver(archiver, fx_.appDir + "\\real-7z.exe"));
    ASSERT_TRUE(CopyFileOver(testkit::TestProgramPath("false_archiver"), archiver));
    testkit::WriteFile(fx_.appDir + "\\false-archiver.txt", mode);
  }
  bool LogHolds(const std::string& part) const {
    const std::vector<std::string> log = RunLog();
    return std::any_of(log.begin(), log.end(), [&](const std::string& l) { return l.find(part) != std::string::npos; });
  }
};

TEST_F(ArchiverFaults, APackStartedAgainAfterItsReplyWasLostHoldsExactlyTheRightEntries) {
  if (!testkit::StartFaultsInjected()) GTEST_SKIP() << "needs Wine and tests/kit/start_fault.c preloaded";
  // The pack's console host cannot start: 7-Zip makes the archive, its reply is lost, and the
  // runner starts the pack again.
  const std::string marker = work_ + "\\velk-start-fault";
  testkit::WriteFile(marker, "\\conhost.exe");
  EXPECT_TRUE(LevelPak(session_, ui_));
  EXPECT_FALSE(testkit::Exists(marker)) << "the fault did not happen";
  EXPECT_TRUE(ui_.Boxes().empty());
  EXPECT_EQ(testkit::ListArchiveFiles(NewArchive()),
            Sorted({"Archive.bai", "hidevelk.bai", "mission_velk.xml", "netvelk.bai", "velk_objects.xml"}));
}

TEST_F(ArchiverFaults, AnArchiverThatLiesOrNeverEndsIsAnErrorAndLeavesNoArchive) {
  session_.ArchiverTimeLimitMs = 3000;
  for (const std::string mode : {"lies", "hangs"}) {
    UseFalseArchiver(mode);
    EXPECT_FALSE(LevelPak(session_, ui_)) << mode;
    EXPECT_FALSE(ui_.Boxes().empty()) << mode;
    EXPECT_FALSE(testkit::Exists(NewArchive())) << mode;
    // Ended with everything it had started.
    EXPECT_FALSE(ProgramRunningFrom(fx_.appDir + "\\7z.exe")) << mode;
  }
  EXPECT_TRUE(LogHolds("no end within the time limit"));
}

TEST_F(ArchiverFaults, APackThatSaysOkButMakesNoArchiveIsAnError) {
  // The .bai files come out of level.pak with the real archiver; only the pack lies, over a
  // level archive that an earlier run left in the work folder.
  UseFalseArchiver("lies a");
  testkit::WriteFile(work_ + "\\levelvelk.pak", "leftover");
  EXPECT_FALSE(LevelPak(session_, ui_));
  EXPECT_EQ(ui_.Boxes(), std::vector<std::string>{"An error occured!"});
  EXPECT_TRUE(LogHolds("Error creating levelvelk.pak"));
  EXPECT_FALSE(testkit::Exists(NewArchive()));
}

TEST_F(ArchiverFaults, ALevelFolderThatCannotTakeTheCopyIsNamedAndKeepsWhatItHad) {
  // The file the copy is written under first is held open, as a full disk or a virus scanner
  // would stop it.
  const std::string part = NewArchive() + ".velkpart";
  testkit::WriteFile(part, "held");
  const UniqueFile held = testkit::HoldWithoutSharing(part);
  ASSERT_TRUE(held);
  EXPECT_FALSE(LevelPak(session_, ui_));
  EXPECT_EQ(ui_.Boxes(), std::vector<std::string>{"Could not write \"" + NewArchive() +
                                                  "\"!\r\nThe disk may be full, or the file is in use."});
  EXPECT_TRUE(LogHolds("Could not write " + NewArchive()));
  EXPECT_FALSE(testkit::Exists(NewArchive()));
}

}  // namespace
}  // namespace velk::enginetest
