// Writes the kit's folders for scripts that run outside the tests (package, benchmark):
//   make_kit_folders content <folder> [level ...]
//     <folder>\VELK_Av8\... (the mod's files) and <folder>\Temp\<Level>\... (the maps): the
//     content the payload archives are packed from. Default levels: Archive, Boat, Dam.
//   make_kit_folders game <parent> <name> [level ...]
//     a game folder <parent>\<name> in the game's layout with those stock levels.
// Exit code 0 on success, 1 on failure, 2 on bad arguments.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "kit/test_kit.h"
#include "support/text_codec.h"
#include "support/text_tools.h"

namespace {

using namespace velk;

int WriteContent(const std::string& target, const std::vector<std::string>& levels) {
  testkit::AppOptions app;
  if (!levels.empty()) app.mapLevels = levels;
  testkit::TempFolder staging("content");
  const std::string appDir = testkit::MakeAppDir(staging.path(), app);
  // The content is exactly what the kit's archives unpack to.
  for (const char* archive : {"modfiles.7z", "mapfiles.7z"}) {
    std::string output;
    const int rc = testkit::RunProgram(
        Quoted(testkit::ArchiverPath()) + " x -y " + Quoted(appDir + "\\" + archive) + " -o" + Quoted(target), {}, &output);
    if (rc != 0) {
      std::fprintf(stderr, "unpacking %s failed:\n%s\n", archive, output.c_str());
      return 1;
    }
  }
  return 0;
}

int WriteGame(const std::string& parent, const std::string& name,
              const std::vector<std::string>& levels) {
  testkit::GameOptions game;
  game.folderName = name;
  if (!levels.empty()) game.levels = levels;
  testkit::MakeGameFolder(parent, game);
  return 0;
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Narrow(wide[i]));
  LocalFree(wide);
  try {
    if (args.size() >= 2 && args[0] == "content")
      return WriteContent(args[1], {args.begin() + 2, args.end()});
    if (args.size() >= 3 && args[0] == "game")
      return WriteGame(args[1], args[2], {args.begin() + 3, args.end()});
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::fputs("usage: make_kit_folders content <folder> [level ...]\n"
             "       make_kit_folders game <parent> <name> [level ...]\n",
             stderr);
  return 2;
}
