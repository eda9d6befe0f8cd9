// Game folders and payload folders as the wizard finds them in the field, built with the
// real 7-Zip. Archives of the same content are packed once and copied after that: many tests
// need them, and a 7-Zip run costs a tenth of a second under Wine.
#include <stdexcept>

#include "kit/test_kit.h"
#include "support/file_helpers.h"

namespace velk::testkit {

namespace {

// Writes the content with `fill` into a fresh folder and packs it; an archive of the same
// content packed before is copied instead.
template <typename Fill>
void PackContent(const std::string& type, const std::string& archive, Fill fill) {
  TempFolder staging("stage");
  fill(staging.path());
  PackFolderCached(staging.path(), archive, type);
}

void FillLevelArchive(const std::string& folder, const std::string& level) {
  WriteFile(folder + "\\hide" + level + ".bai", "BAI hide " + level + "\r\n");
  WriteFile(folder + "\\net" + level + ".bai", "BAI net " + level + "\r\n");
  WriteFile(folder + "\\" + level + ".bai", "BAI nodes " + level + "\r\n");
  WriteFile(folder + "\\mission.xml",
            "<Mission Name=\"" + level + "\">\r\n  <Spawn RespawnTime=\"0\"/>\r\n</Mission>\r\n");
  WriteFile(folder + "\\Terrain\\terrain.dat", "terrain of " + level + "\r\n");
  WriteFile(folder + "\\Textures\\Terrain\\detail.dds", "DDS detail " + level);
}

void FillModFiles(const std::string& folder) {
  const std::string mod = folder + "\\VELK_Av8";
  for (const std::string& name : ModFileNames()) WriteFile(mod + "\\" + name, ModFileText(name));
}

void FillMapFiles(const std::string& folder, const AppOptions& options) {
  const std::vector<std::string>& levels = options.mapLevels;
  // The top folder is there even without levels, so that 7-Zip has something to pack.
  if (!CreateFolders(folder + "\\Temp"))
    throw std::runtime_error("cannot create " + folder + "\\Temp");
  for (const std::string& level : levels) {
    const std::string work = folder + "\\Temp\\" + level;
    WriteFile(work + "\\" + level + ".lua", ModScriptText(level));
    WriteFile(work + "\\mission_velk.xml", MissionFileText());
    WriteFile(work + "\\velk_objects.xml",
              "<Objects Level=\"" + level +
                  "\">\r\n  <Entity Class=\"AmmoCrate\"/>\r\n</Objects>\r\n");
  }
  for (const auto& [name, bytes] : options.extraMapFiles) WriteFile(folder + "\\Temp\\" + name, bytes);
}

}  // namespace

std::string StockScriptText(const std::string& level) {
  return "-- stock script of the level " + level + "\r\nLevel = { Name = \"" + level +
         "\", Mod = nil }\r\n";
}

std::string ModScriptText(const std::string& level) {
  return "-- VELK Mod Av8 script of the level " + level + "\r\nLevel = { Name = \"" + level +
         "\", Mod = \"VELK_Av8\" }\r\n";
}

std::string MissionFileText() {
  return "<?xml version=\"1.0\"?>\r\n"
         "<Mission Name=\"VELK\" Type=\"Assault\">\r\n"
         "  <Team Name=\"Red\" RespawnTime=\"0\" MaxPlayers=\"16\"/>\r\n"
         "  <Team Name=\"Blue\" RespawnTime=\"0\" MaxPlayers=\"16\"/>\r\n"
         "  <Flag Name=\"Base\" RespawnTime=\"05\" CaptureTime=\"00\"/>\r\n"
         "  <Vehicle Name=\"Boat\" RespawnTime=\"00\"/>\r\n"
         "</Mission>\r\n";
}

std::vector<std::string> ModFileNames() {
  return {"textures\\gui\\mousecursor.dds", "Objects\\weapons\\DE\\de.dds",
          "Objects\\weapons\\M4\\m4.dds",   "ModDesc.en.txt",
          "ModDesc.de.txt",                 "Scripts\\Default\\velk.lua",
          "textures\\velk_logo.dds"};
}

std::string ModFileText(const std::string& name) {
  if (name == "ModDesc.en.txt") return "VELK Mod Av8\r\nEnglish description of the mod.\r\n";
  if (name == "ModDesc.de.txt") return "VELK Mod Av8\r\nDeutsche Beschreibung der Mod.\r\n";
  return "VELK Mod Av8 file " + name + "\r\n";
}

std::string MakeGameFolder(const std::string& parent, const GameOptions& options) {
  const std::string game = parent + "\\" + options.folderName;
  WriteFile(game + "\\Bin32\\FarCry.exe", "");
  if (options.withMods && !CreateFolders(game + "\\Mods"))
    throw std::runtime_error("cannot create " + game + "\\Mods");
  for (const std::string& level : options.levels) {
    const std::string levelDir = game + "\\Levels\\" + level;
    if (!CreateFolders(levelDir)) throw std::runtime_error("cannot create " + levelDir);
    PackContent("zip", levelDir + "\\level.pak",
                [&](const std::string& folder) { FillLevelArchive(folder, level); });
    if (options.stockScripts) WriteFile(levelDir + "\\" + level + ".lua", StockScriptText(level));
  }
  return game;
}

std::string MakeAppDir(const std::string& parent, const AppOptions& options) {
  const std::string app = parent + "\\" + options.folderName;
  if (!CreateFolders(app)) throw std::runtime_error("cannot create " + app);
  if (options.withArchiver && !CopyFileOver(ArchiverPath(), app + "\\7z.exe"))
    throw std::runtime_error("cannot copy 7z.exe into " + app);
  if (options.withModFiles)
    PackContent("7z", app + "\\modfiles.7z", FillModFiles);
  if (options.withMapFiles)
    PackContent("7z", app + "\\mapfiles.7z",
                [&](const std::string& folder) { FillMapFiles(folder, options); });
  if (options.withProgram && !CopyFileOver(ProgramPath(), app + "\\VelkSetup.exe"))
    throw std::runtime_error("cannot copy VelkSetup.exe into " + app);
  return app;
}

Fixture MakeFixture(const std::string& parent, const GameOptions& game, const AppOptions& app) {
  Fixture fixture;
  fixture.root = parent;
  fixture.gameDir = MakeGameFolder(parent, game);
  fixture.appDir = MakeAppDir(parent, app);
  return fixture;
}

}  // namespace velk::testkit
