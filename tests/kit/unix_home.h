#pragma once
// The Unix user's home for one test, as a setup run under Wine sees it: a fresh folder outside
// the Wine prefix (so Wine names it on drive Z:), named by HOME in this process's environment
// while the object lives, so the programs the test starts inherit it. XDG_DATA_HOME and
// STEAM_COMPAT_CLIENT_INSTALL_PATH are unset meanwhile; all three are put back at the end.
// The real home is never touched.
#include <optional>
#include <string>
#include <utility>
#include <vector>


namespace velk::testkit {

class UnixHome {
 public:
  UnixHome();
  ~UnixHome();
  UnixHome(const UnixHome&) = delete;
  UnixHome& operator=(const UnixHome&) = delete;

  const std::string& path() const { return path_; }          // "Z:\..."
  const std::string& unixPath() const { return unixPath_; }  // "/..."
  // ~/.local/share/Steam as a Windows path.
  std::string steamFolder() const { return path_ + "\\.local\\share\\Steam"; }

  // The game as Steam installs it in `library` (a Windows path below the home): its app
  // manifest and steamapps\common\<installDir>. Returns the game folder.
  std::string AddSteamGame(const std::string& library, const std::string& installDir);
  // Steam's libraryfolders.vdf in `steamFolder`, listing `libraries` by their Unix paths.
  void ListLibraries(const std::string& steamFolder, const std::vector<std::string>& libraries);
  // The Unix path of a Windows path below the home.
  std::string UnixPathOf(const std::string& windowsPath) const;

 private:
  std::string path_, unixPath_;
  std::vector<std::pair<const wchar_t*, std::optional<std::wstring>>> saved_;
};

}  // namespace velk::testkit
