#include "hardening/hardening_fixture.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

namespace velk::hardening {
namespace {

bool StartsWithNoCase(const std::string& text, const std::string& head) {
  return text.size() >= head.size() &&
         std::equal(head.begin(), head.end(), text.begin(), [](unsigned char a, unsigned char b) {
           return std::tolower(a) == std::tolower(b);
         });
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() &&
         StartsWithNoCase(text.substr(text.size() - tail.size()), tail);
}

std::string Leaf(const std::string& path) {
  const size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The names a stock script's backup may have: the usual one, and the wizard's own when a
// file that is not the wizard's holds the usual one.
constexpr std::array<const char*, 2> kBackupSuffixes = {".bak", ".velk.bak"};

// Files an action of the wizard may add to the game folder.
bool IsModFile(const std::string& relative) {
  if (relative == "velk.log" || StartsWithNoCase(relative, "Mods\\VELK_Av8\\")) return true;
  if (!StartsWithNoCase(relative, "Levels\\")) return false;
  std::string leaf = Leaf(relative);
  std::transform(leaf.begin(), leaf.end(), leaf.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  // A file the wizard writes under its .velkpart name before it is put in place.
  if (EndsWithNoCase(leaf, ".velkpart")) leaf = leaf.substr(0, leaf.size() - 9);
  return leaf == "levelvelk.pak" || leaf == "levelvelk.pak.dis" || EndsWithNoCase(leaf, ".lua.bak") ||
         EndsWithNoCase(leaf, ".lua.velk.bak") || EndsWithNoCase(leaf, ".lua");
}

void Put16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

}  // namespace

void ExpectStockKept(const Tree& stock, const Tree& after, bool modsMayHoldMore) {
  for (const auto& [name, hash] : stock) {
    if (name == "velk.log") continue;
    const auto kept = after.find(name);
    if (kept != after.end() && kept->second == hash) continue;
    // A level script replaced by the mod's keeps its stock bytes in the backup.
    const bool backedUp = std::any_of(kBackupSuffixes.begin(), kBackupSuffixes.end(), [&](const char* suffix) {
      const auto backup = after.find(name + suffix);
      return backup != after.end() && backup->second == hash;
    });
    if (EndsWithNoCase(name, ".lua") && backedUp) continue;
    ADD_FAILURE() << "stock file changed or lost: " << name;
  }
  for (const auto& [name, hash] : after) {
    if (stock.count(name) != 0 || IsModFile(name)) continue;
    if (!(modsMayHoldMore && StartsWithNoCase(name, "Mods\\"))) ADD_FAILURE() << "unexpected file: " << name;
  }
}

void ExpectStockRestored(const Tree& stock, const Tree& after) {
  for (const auto& [name, hash] : stock) {
    if (name == "velk.log") continue;
    const auto kept = after.find(name);
    EXPECT_TRUE(kept != after.end() && kept->second == hash) << "not restored: " << name;
  }
  for (const auto& [name, hash] : after) {
    if (name != "velk.log" && stock.count(name) == 0) ADD_FAILURE() << "left behind: " << name;
  }
}

void ExpectInstalled(const std::string& gameDir, const Tree& stock,
                     const std::vector<std::string>& levels) {
  const Tree after = testkit::HashTree(gameDir);
  ExpectStockKept(stock, after);
  for (const std::string& level : levels) {
    const std::string folder = "Levels\\" + level + "\\";
    EXPECT_EQ(after.count(folder + "levelvelk.pak"), 1u) << level;
    const auto script = after.find(folder + level + ".lua");
    ASSERT_NE(script, after.end()) << level;
    EXPECT_EQ(script->second, testkit::Fnv1a64Hex(testkit::ModScriptText(level))) << level;
  }
  EXPECT_EQ(after.count("Mods\\VELK_Av8\\ModDesc.txt"), 1u);
  EXPECT_TRUE(LogHas(gameDir, "Finished creating!"));
}

void WriteZip(const std::string& path, const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string zip, central;
  for (const auto& [name, bytes] : entries) {
    const std::uint32_t offset = static_cast<std::uint32_t>(zip.size());
    const std::uint32_t crc = Crc32(bytes);
    const auto size = static_cast<std::uint32_t>(bytes.size());
    Put32(zip, 0x04034b50);
    Put16(zip, 20), Put16(zip, 0), Put16(zip, 0), Put16(zip, 0), Put16(zip, 0x21);
    Put32(zip, crc), Put32(zip, size), Put32(zip, size);
    Put16(zip, static_cast<unsigned>(name.size())), Put16(zip, 0);
    zip += name + bytes;
    Put32(central, 0x02014b50);
    Put16(central, 20), Put16(central, 20), Put16(central, 0), Put16(central, 0);
    Put16(central, 0), Put16(central, 0x21);
    Put32(central, crc), Put32(central, size), Put32(central, size);
    Put16(central, static_cast<unsigned>(name.size()));
    Put16(central, 0), Put16(central, 0), Put16(central, 0), Put16(central, 0);
    Put32(central, 0), Put32(central, offset);
    central += name;
  }
  const auto centralOffset = static_cast<std::uint32_t>(zip.size());
  zip += central;
  Put32(zip, 0x06054b50);
  Put16(zip, 0), Put16(zip, 0);
  Put16(zip, static_cast<unsigned>(entries.size())), Put16(zip, static_cast<unsigned>(entries.size()));
  Put32(zip, static_cast<std::uint32_t>(central.size())), Put32(zip, centralOffset);
  Put16(zip, 0);
  testkit::WriteFile(path, zip);
}

void HardeningTest::MakeFolders(const std::string& gameName, const std::string& appName,
                                const std::string& parent, testkit::GameOptions game,
                                testkit::AppOptions app) {
  game.folderName = gameName;
  app.folderName = appName;
  app.withProgram = true;
  fixture_ = testkit::MakeFixture(parent.empty() ? temp_.path() : parent, game, app);
  stock_ = Game();
}

SetupRun HardeningTest::Run(const std::string& switches, const std::string& gameDirText) {
  const std::string dir = gameDirText.empty() ? fixture_.gameDir : gameDirText;
  SetupRun run;
  run.code = testkit::RunProgram("\"" + fixture_.appDir + "\\VelkSetup.exe\" /S \"/D=" + dir +
                                     "\" /LANG=en " + switches,
                                 temp_.path(), &run.output, 90000);
  return run;
}

SetupRun HardeningTest::RunChecked(const std::string& switches, const std::string& gameDirText) {
  SetupRun run = Run(switches, gameDirText);
  EXPECT_NE(run.code, -1) << "no end within the time limit: " << switches;
  return run;
}

std::string HardeningTest::Level(const std::string& level, const std::string& file) const {
  const std::string folder = fixture_.gameDir + "\\Levels\\" + level;
  return file.empty() ? folder : folder + "\\" + file;
}

}  // namespace velk::hardening
