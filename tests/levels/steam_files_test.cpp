// Steam's library list and app manifests as Steam writes them, and as hand edits leave them.
#include "levels/steam_files.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "levels/vdf_text.h"

namespace velk {
namespace {

using Paths = std::vector<std::string>;

TEST(SteamLibraryPaths, CurrentFormWithBlocksPerLibrary) {
  const char* vdf = R"("libraryfolders"
{
	"0"
	{
		"path"		"C:\\Program Files (x86)\\Steam"
		"label"		""
		"contentid"		"4264137414651478112"
		"apps"
		{
			"228980"		"247963842"
			"13520"		"2357848765"
		}
	}
	"1"
	{
		"label"		"Games \"fast\" {disk}"
		"path"		"D:\\Spiele\\SteamLibrary ä"
		"apps"
		{
		}
	}
	"contentstatsid"		"-3017402371598040437"
}
)";
  EXPECT_EQ(SteamLibraryPaths(vdf),
            (Paths{"C:\\Program Files (x86)\\Steam", "D:\\Spiele\\SteamLibrary ä"}));
}

TEST(SteamLibraryPaths, OlderFormWithOneValuePerLibrary) {
  const char* vdf = R"("LibraryFolders"
{
	"TimeNextStatsReport"		"1615476152"
	"ContentStatsID"		"-5498839489542578862"
	"1"		"D:\\SteamLibrary"
	"2"		"E:\\Games\\Steam Library"
}
)";
  EXPECT_EQ(SteamLibraryPaths(vdf), (Paths{"D:\\SteamLibrary", "E:\\Games\\Steam Library"}));
}

TEST(SteamLibraryPaths, ForgivesWhatHandEditsLeave) {
  // Byte order mark, comments, bare words, single backslashes, a library without a path, a
  // block left open at the end.
  const char* vdf = "\xEF\xBB\xBF// edited by hand\n"
                    "libraryfolders {\n"
                    "  1 { path \"E:\\Games\\SteamLibrary\" } // second disk\n"
                    "  2 { label \"empty\" }\n"
                    "  3 \"F:\\\\Steam\"\n"
                    "  4 { \"path\" \"G:\\\\Lib\" \"apps\" { \"13520\" \"1\" ";
  EXPECT_EQ(SteamLibraryPaths(vdf), (Paths{"E:\\Games\\SteamLibrary", "F:\\Steam", "G:\\Lib"}));
  EXPECT_EQ(SteamLibraryPaths(""), Paths{});
  EXPECT_EQ(SteamLibraryPaths("\"libraryfolders\" \"not a block\""), Paths{});
  EXPECT_EQ(SteamLibraryPaths("\"other\" { \"1\" \"D:\\\\SteamLibrary\" }"), Paths{});
  EXPECT_EQ(SteamLibraryPaths("} } \"libraryfolders\" { } \"1\" \"D:\\\\X\" }"), Paths{});
}

TEST(SteamInstallDir, NamesTheFolderBelowCommon) {
  const char* acf = R"("AppState"
{
	"appid"		"13520"
	"Universe"		"1"
	"name"		"Far Cry"
	"StateFlags"		"4"
	"installdir"		"Far Cry"
	"UserConfig"
	{
		"language"		"english"
	}
}
)";
  EXPECT_EQ(SteamInstallDir(acf), "Far Cry");
  EXPECT_EQ(SteamInstallDir("\"appstate\" { \"InstallDir\" \"Far Cry ä\\\\x\" }"), "Far Cry ä\\x");
  EXPECT_EQ(SteamInstallDir("\"AppState\" { \"installdir\" \"\" }"), std::nullopt);
  EXPECT_EQ(SteamInstallDir("\"AppState\" { \"UserConfig\" { \"installdir\" \"Far Cry\" } }"),
            std::nullopt);
  EXPECT_EQ(SteamInstallDir("\"AppState\" { \"installdir\" { } }"), std::nullopt);
  EXPECT_EQ(SteamInstallDir(""), std::nullopt);
}

TEST(ParseVdf, NestingEscapesAndConditions) {
  const std::vector<VdfEntry> top =
      ParseVdf("\"a\" { \"b\" \"x\\\\\\\"y\" [$WIN32] \"c\" { } } \"d\" \"e\" \"key only\"");
  ASSERT_EQ(top.size(), 2u);
  EXPECT_TRUE(top[0].isBlock);
  ASSERT_EQ(top[0].children.size(), 2u);
  EXPECT_EQ(top[0].children[0].value, "x\\\"y");
  EXPECT_TRUE(top[0].children[1].isBlock);
  EXPECT_EQ(FindVdfEntry(top, "D")->value, "e");
  EXPECT_EQ(FindVdfEntry(top, "key only"), nullptr);
}

}  // namespace
}  // namespace velk
