// The command runner with the real cmd.exe: batch text, work files, failure paths, hooks.
// The archiver's command forms run through it in archiver_test.cpp.
#include "support/command_runner.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "kit/start_faults.h"
#include "kit/test_kit.h"
#include "support/archiver.h"
#include "support/file_helpers.h"
#include "support/process_info.h"
#include "support/short_path.h"
#include "support/text_codec.h"

namespace velk {
namespace {

const std::string kIn = "C:\\T\\DOSSTDIN.txt";
const std::string kOut = "C:\\T\\DOSREPLY.txt";

bool AllAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

std::vector<std::string> WorkFiles() {
  const std::string temp = TempFolder();
  return {temp + kBatchFileName, temp + kStdinFileName, temp + kReplyFileName};
}

// Restores the current folder and the temporary folder variables after each test.
class CommandRunner : public ::testing::Test {
 protected:
  void TearDown() override {
    SetCurrentFolder(savedFolder_);
    SetEnvironmentVariableW(L"TEMP", savedTemp_.c_str());
    SetEnvironmentVariableW(L"TMP", savedTmp_.c_str());
  }
  void UseTempFolder(const std::string& folder) {
    SetEnvironmentVariableW(L"TEMP", Widen(folder).c_str());
    SetEnvironmentVariableW(L"TMP", Widen(folder).c_str());
  }

 private:
  static std::wstring Variable(const wchar_t* name) {
    std::wstring value(GetEnvironmentVariableW(name, nullptr, 0), L'\0');
    value.resize(GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size())));
    return value;
  }
  std::string savedFolder_ = CurrentFolder();
  std::wstring savedTemp_ = Variable(L"TEMP");
  std::wstring savedTmp_ = Variable(L"TMP");
};

TEST(BatchText, DotFolderGivesAnEmptyDriveLine) {
  EXPECT_EQ(BuildBatchText("\"C:\\App\\7z.exe\" x modfiles.7z -y", ".", kIn, kOut),
            "\r\n"
            "cd \".\"\r\n"
            "\"C:\\App\\7z.exe\" x modfiles.7z -y<C:\\T\\DOSSTDIN.txt >C:\\T\\DOSREPLY.txt\r\n");
}

TEST(BatchText, FolderOnAnotherDriveSwitchesTheDriveFirst) {
  EXPECT_EQ(BuildBatchText("7z a x.zip *", "D:\\x", kIn, kOut),
            "D:\r\n"
            "cd \"D:\\x\"\r\n"
            "7z a x.zip *<C:\\T\\DOSSTDIN.txt >C:\\T\\DOSREPLY.txt\r\n");
  // A level work folder ends in a backslash; cmd's cd takes it inside the quotes.
  EXPECT_EQ(BuildBatchText("7z", "D:\\Levels\\Archive\\", kIn, kOut),
            "D:\r\ncd \"D:\\Levels\\Archive\\\"\r\n7z<C:\\T\\DOSSTDIN.txt >C:\\T\\DOSREPLY.txt\r\n");
  // cmd cannot cd to a share; pushd maps it to a drive, popd gives the drive back.
  EXPECT_EQ(BuildBatchText("7z", "\\\\srv\\games\\Temp\\Dam\\", kIn, kOut),
            "\r\npushd \"\\\\srv\\games\\Temp\\Dam\\\"\r\n7z<C:\\T\\DOSSTDIN.txt >C:\\T\\DOSREPLY.txt\r\npopd\r\n");
}

TEST(BatchText, PercentAndAmpersandCannotBreakTheLines) {
  const std::string text = BuildBatchText(
      "\"E:\\100% & more\\7z.exe\" x -y \"E:\\100% & more\\mapfiles.7z\" -o\"E:\\100% & more\\\"",
      "E:\\100% & more\\", kIn, kOut);
  EXPECT_EQ(text,
            "E:\r\n"
            "cd \"E:\\100%% & more\\\"\r\n"
            "\"E:\\100%% & more\\7z.exe\" x -y \"E:\\100%% & more\\mapfiles.7z\" "
            "-o\"E:\\100%% & more\\\"<C:\\T\\DOSSTDIN.txt >C:\\T\\DOSREPLY.txt\r\n");
  // Outside quotes the command stays as the caller wrote it.
  EXPECT_EQ(BuildBatchText("7z e a.pak *.bai -y -x!\"*.lua\"", ".", kIn, kOut).substr(10),
            "7z e a.pak *.bai -y -x!\"*.lua\"<C:\\T\\DOSSTDIN.txt >C:\\T\\DOSREPLY.txt\r\n");
}

TEST(BatchText, RedirectionTargetsWithOperatorsAreQuoted) {
  const std::string text = BuildBatchText("ver", ".", "C:\\A&B\\IN.TXT", "C:\\50%\\OUT.TXT");
  EXPECT_NE(text.find("ver<\"C:\\A&B\\IN.TXT\" >C:\\50%%\\OUT.TXT\r\n"), std::string::npos) << text;
}

TEST(BatchText, CyrillicNamesGoInTheirShortFormTheRestAsWritten) {
  testkit::TempFolder temp("bt");
  const std::string app = temp.path() + "\\Установка";
  const std::string levels = temp.path() + "\\Игры\\Levels";
  ASSERT_TRUE(CreateFolders(app));
  ASSERT_TRUE(CreateFolders(levels));
  testkit::WriteFile(app + "\\7z.exe", "MZ");
  const std::string command = "\"" + app + "\\7z.exe\" x -y \"" + levels + "\\Archive\\level.pak\"";
  const std::string text = BuildBatchText(command, levels + "\\", kIn, kOut);
  EXPECT_TRUE(AllAscii(ToOem(text))) << text;

  // Only the two Cyrillic folder names are replaced; what can be written stays as it is,
  // and what does not exist yet ("Archive\level.pak") is appended unchanged.
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  ASSERT_EQ(lines.size(), 3u) << text;
  const std::string cdTarget = lines[1].substr(4, lines[1].size() - 5);
  EXPECT_EQ(lines[1].rfind("cd \"" + temp.path() + "\\", 0), 0u) << text;
  EXPECT_EQ(cdTarget.substr(cdTarget.size() - 8), "\\Levels\\") << text;
  EXPECT_TRUE(SameFileObject(cdTarget, levels)) << cdTarget;
  const size_t exeEnd = lines[2].find("\" x -y \"");
  ASSERT_NE(exeEnd, std::string::npos) << text;
  const std::string exeInBatch = lines[2].substr(1, exeEnd - 1);
  EXPECT_EQ(exeInBatch.rfind(temp.path() + "\\", 0), 0u) << exeInBatch;
  EXPECT_TRUE(SameFileObject(exeInBatch, app + "\\7z.exe")) << exeInBatch;
  EXPECT_NE(lines[2].find("\\Levels\\Archive\\level.pak\"<"), std::string::npos) << text;
}

TEST(BatchText, SafePathsKeepOemCharacters) {
  EXPECT_EQ(BatchSafePath("D:\\Spiele\\Zürich ä ö ü ß"), "D:\\Spiele\\Zürich ä ö ü ß");
  EXPECT_EQ(BatchSafePath("D:\\100%\\x"), "D:\\100%%\\x");
  // Nothing of it exists, so there is no short form to fall back on.
  EXPECT_EQ(BatchSafePath("Q:\\Нет\\такой"), "Q:\\Нет\\такой");
}

TEST(BatchText, DrivePartAndShortName) {
  EXPECT_EQ(GetDrivePart("."), "");
  EXPECT_EQ(GetDrivePart(""), "");
  EXPECT_EQ(GetDrivePart("D:\\x"), "D:");
  EXPECT_EQ(GetDrivePart("C:"), "C:");
  EXPECT_EQ(GetDrivePart("\\\\server\\share"), "");

  testkit::TempFolder temp("sn");
  const std::string file = temp.path() + "\\A long file name with blanks.text";
  testkit::WriteFile(file, "x");
  const std::string shortName = GetShortName(file);
  ASSERT_FALSE(shortName.empty());
  EXPECT_EQ(shortName.find(' '), std::string::npos) << shortName;
  EXPECT_EQ(testkit::ReadFile(shortName), "x");
  EXPECT_EQ(GetShortName(temp.path() + "\\missing.txt"), "");
}

TEST_F(CommandRunner, ReturnsStandardOutputAndRemovesItsWorkFiles) {
  // echo keeps the blank before " >" of the redirection.
  EXPECT_EQ(ExecDosCommand("echo Hallo Welt", "."), "Hallo Welt \r\n");
  for (const std::string& file : WorkFiles()) EXPECT_FALSE(testkit::Exists(file)) << file;
}

TEST_F(CommandRunner, OutputComesBackFromTheOemCodePage) {
  testkit::TempFolder temp("oem");
  testkit::WriteFile(temp.path() + "\\Zürich ä ö ü ß.txt", "");
  EXPECT_EQ(ExecDosCommand("echo Grüße", "."), "Grüße \r\n");
  EXPECT_EQ(ExecDosCommand("dir /b", temp.path()), "Zürich ä ö ü ß.txt\r\n");
}

TEST_F(CommandRunner, RunsInTheWorkFolderWhateverItsName) {
  testkit::TempFolder temp("wf");
  int index = 0;
  for (const std::string name : {"a b", "Zürich ä ö ü ß", "100% sicher", "Tom & Jerry",
                                 "Rock 'n' Roll", "Игры", "p%PATH%q"}) {
    const std::string folder = temp.path() + "\\" + name;
    const std::string marker = "marker " + std::to_string(++index);
    ASSERT_TRUE(CreateFolders(folder)) << name;
    testkit::WriteFile(folder + "\\marker.txt", marker);
    // Level work folders come with a trailing backslash, others without.
    EXPECT_EQ(ExecDosCommand("type marker.txt", index % 2 ? folder : folder + "\\"), marker) << name;
  }
}

TEST_F(CommandRunner, WorkFolderOnAnotherDrive) {
  // Wine's Z: is the Unix root; the temporary folders lie on C:.
  testkit::TempFolder temp("drive");
  const std::string onC = temp.path();
  ASSERT_EQ(onC.substr(0, 2), "C:");
  const std::string onZ = "Z:\\tmp";
  ASSERT_TRUE(SetCurrentFolder(onZ));
  EXPECT_EQ(ExecDosCommand("cd", onC), onC + "\r\n");
  ASSERT_TRUE(SetCurrentFolder(onC));
  EXPECT_EQ(ExecDosCommand("cd", onZ), onZ + "\r\n");
  // "." stays where the program is.
  EXPECT_EQ(ExecDosCommand("cd", "."), onC + "\r\n");
}

TEST_F(CommandRunner, CommandWithoutOutputGivesEmptyText) {
  EXPECT_EQ(ExecDosCommand("cd .", "."), "");
  for (const std::string& file : WorkFiles()) EXPECT_FALSE(testkit::Exists(file)) << file;
}

TEST_F(CommandRunner, MissingReplyFileGivesError) {
  // An unclosed quote swallows the redirections: cmd never creates the reply file.
  std::string shown;
  RunnerHooks hooks;
  hooks.showSystemError = [&](const std::string& text) { shown = text; };
  EXPECT_EQ(ExecDosCommand("\"no such program", ".", hooks), kRunnerErrorResult);
  EXPECT_EQ(shown, "");
  // The failure path returns at once: the batch and the input file stay for the next run.
  const std::vector<std::string> files = WorkFiles();
  EXPECT_TRUE(testkit::Exists(files[0]));
  EXPECT_FALSE(testkit::Exists(files[2]));
  EXPECT_EQ(ExecDosCommand("echo again", "."), "again \r\n");
  for (const std::string& file : files) EXPECT_FALSE(testkit::Exists(file)) << file;
}

TEST_F(CommandRunner, UnexpectedFailureIsShownAndGivesEmptyText) {
  // Another program holds the reply file without sharing it.
  const std::wstring reply = Widen(TempFolder() + kReplyFileName);
  HANDLE locked = CreateFileW(reply.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  std::vector<std::string> shown;
  RunnerHooks hooks;
  hooks.showSystemError = [&](const std::string& text) { shown.push_back(text); };
  testkit::TempFolder temp("uf");
  EXPECT_EQ(ExecDosCommand("echo ran> ran.txt", temp.path(), hooks), "");
  CloseHandle(locked);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], ErrorText(ERROR_SHARING_VIOLATION));
  EXPECT_FALSE(testkit::Exists(temp.path() + "\\ran.txt"));
  DeleteFileW(reply.c_str());

  // A temporary folder that does not exist fails before anything is started.
  UseTempFolder(temp.path() + "\\gone");
  shown.clear();
  EXPECT_EQ(ExecDosCommand("echo ran> ran.txt", temp.path(), hooks), "");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], ErrorText(ERROR_PATH_NOT_FOUND));
  EXPECT_FALSE(testkit::Exists(temp.path() + "\\ran.txt"));
}

TEST_F(CommandRunner, ExistingInputFileIsFedAsStandardInput) {
  testkit::WriteFile(TempFolder() + kStdinFileName, "erste Zeile\r\nzweite Zeile\r\n");
  const std::string output = ExecDosCommand("more", ".");
  EXPECT_NE(output.find("erste Zeile\r\nzweite Zeile"), std::string::npos) << output;
  EXPECT_FALSE(testkit::Exists(TempFolder() + kStdinFileName));
  // Without one, input is empty: the same command prints nothing.
  EXPECT_EQ(ExecDosCommand("more", "."), "");
}

TEST_F(CommandRunner, TemporaryFolderWithBlanksAndUnusualCharacters) {
  testkit::TempFolder parent("tf");
  for (const std::string name : {"Temp Ordner äöü", "100% & Temp", "Временные файлы", "Temp (1); a=b ^x'!"}) {
    const std::string temp = parent.path() + "\\" + name;
    ASSERT_TRUE(CreateFolders(temp));
    UseTempFolder(temp);
    EXPECT_EQ(ExecDosCommand("echo Hallo", "."), "Hallo \r\n") << name;
    EXPECT_EQ(testkit::ListTree(temp).size(), 0u) << name;
  }
}

TEST_F(CommandRunner, WindowEventsArePassedOnWhileTheCommandRuns) {
  int calls = 0;
  RunnerHooks hooks;
  hooks.processPendingEvents = [&] {
    ++calls;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  };
  // A thread timer posts WM_TIMER every 10 ms while cmd runs.
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
  ASSERT_NE(timer, 0u);
  const std::string output = ExecDosCommand("echo done", ".", hooks);
  KillTimer(nullptr, timer);
  EXPECT_EQ(output, "done \r\n");
  // Before and after the start, and at least once during the wait.
  EXPECT_GE(calls, 3);
}

TEST_F(CommandRunner, MessagesLeftInTheQueueDoNotSpinTheWait) {
  int calls = 0;
  RunnerHooks hooks;
  hooks.processPendingEvents = [&] { ++calls; };
  ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), WM_APP, 0, 0));
  EXPECT_EQ(ExecDosCommand("echo done", ".", hooks), "done \r\n");
  EXPECT_LT(calls, 10);
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_APP, WM_APP, PM_REMOVE));
}

using testkit::StartFaultsInjected;

TEST_F(CommandRunner, ProcessOfTheCommandThatCannotStartIsStartedAgain) {
  if (!StartFaultsInjected()) GTEST_SKIP() << "needs Wine and tests/kit/start_fault.c preloaded";
  for (const std::string process : {"\\cmd.exe", "\\conhost.exe", "\\7z.exe"}) {
    testkit::TempFolder temp("sf");
    testkit::WriteFile(temp.path() + "\\Dam.lua", process);
    const std::string marker = temp.path() + "\\velk-start-fault";
    testkit::WriteFile(marker, process);
    std::vector<std::string> shown;
    RunnerHooks hooks;
    hooks.showSystemError = [&](const std::string& text) { shown.push_back(text); };
    const std::string reply = ExecDosCommand(
        "\"" + testkit::ArchiverPath() + "\" a -tzip level.pak *.lua -y", temp.path(), hooks);
    EXPECT_FALSE(testkit::Exists(marker)) << process << " did not fail";
    EXPECT_TRUE(SevenZipOk(reply)) << process << ": [" << reply << "]";
    EXPECT_TRUE(shown.empty()) << process << ": " << (shown.empty() ? "" : shown[0]);
    const std::string archive = temp.path() + "\\level.pak";
    ASSERT_TRUE(testkit::Exists(archive)) << process;
    EXPECT_EQ(testkit::ReadArchiveEntry(archive, "Dam.lua"), process);
  }
}

}  // namespace
}  // namespace velk
