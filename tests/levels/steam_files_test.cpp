// Steam's library list and app manifests as Steam writes them, and as hand edits leave them.
#include "levels/steam_files.h"

#include <optional>
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
  const std::optional<std::vector<VdfEntry>> parsed =
      ParseVdf("\"a\" { \"b\" \"x\\\\\\\"y\" [$WIN32] \"c\" { } } \"d\" \"e\" \"key only\"");
  ASSERT_TRUE(parsed);
  const std::vector<VdfEntry>& top = *parsed;
  ASSERT_EQ(top.size(), 2u);
  EXPECT_TRUE(top[0].isBlock);
  ASSERT_EQ(top[0].children.size(), 2u);
  EXPECT_EQ(top[0].children[0].value, "x\\\"y");
  EXPECT_TRUE(top[0].children[1].isBlock);
  EXPECT_EQ(FindVdfEntry(top, "D")->value, "e");
  EXPECT_EQ(FindVdfEntry(top, "key only"), nullptr);
}

// A library list nested `depth` blocks deep below its first library, with the path at the bottom.
std::string NestedLibraryList(size_t depth) {
  std::string vdf = "\"libraryfolders\" { \"1\" ";
  for (size_t i = 2; i < depth; ++i) vdf += "{ \"x\" ";
  vdf += "{ \"path\" \"D:\\\\Lib\" ";
  vdf += std::string(depth > 2 ? depth - 2 : 0, '}') + "} }";
  return vdf;
}

struct VdfBoundCase {
  const char* name;
  std::string text;
  bool readable;
};

TEST(ParseVdf, FilesBeyondTheBoundsAreUnreadable) {
  const std::string padding(kVdfMaxBytes, ' ');
  const std::vector<VdfBoundCase> cases = {
      {"deepest allowed", NestedLibraryList(kVdfMaxDepth), true},
      {"one level too deep", NestedLibraryList(kVdfMaxDepth + 1), false},
      {"100,000 open blocks", std::string(100000, '{'), false},
      {"100,000 closed blocks", "\"a\" " + std::string(100000, '{') + std::string(100000, '}'), false},
      {"largest allowed", "\"a\" \"b\"" + padding.substr(7), true},
      {"one byte too long", "\"a\" \"b\"" + padding.substr(6), false},
  };
  for (const VdfBoundCase& c : cases) {
    EXPECT_EQ(ParseVdf(c.text).has_value(), c.readable) << c.name;
  }
  // A list too long to read names no library, though its start names one.
  EXPECT_EQ(SteamLibraryPaths("\"libraryfolders\" { \"1\" \"D:\\\\Lib\" }" + padding), Paths{});
  EXPECT_EQ(SteamLibraryPaths("\"libraryfolders\" { \"1\" { \"path\" \"D:\\\\Lib\" } }"), Paths{"D:\\Lib"});
}

TEST(VdfEntry, ADeepTreeIsFreedWithoutRecursion) {
  // Built by hand: the parser would refuse it. Freed by recursion, this depth would
  // overflow the stack.
  VdfEntry root;
  VdfEntry* at = &root;
  for (int i = 0; i < 200000; ++i) {
    at->children.emplace_back();
    at->children.back().isBlock = true;
    at = &at->children.back();
  }
  root = VdfEntry();
  EXPECT_TRUE(root.children.empty());
}

}  // namespace
}  // namespace velk
