#pragma once
// What a user or another program makes on the Unix side of Wine: symbolic links, a folder
// mapped as a drive letter, a folder shared as \\localhost\<share>. Wine takes them as real
// links, drives and network shares. Each throws std::runtime_error when it cannot be made.
#include <string>

namespace velk::testkit {

// The Unix path of a Windows path (wine_get_unix_file_name).
std::string UnixPathOf(const std::string& windowsPath);

// A Unix symbolic link at `linkPath` pointing at `targetPath` (both Windows paths).
void MakeUnixLink(const std::string& linkPath, const std::string& targetPath);

// Removes `folder` and all below it on the Unix side (rm -rf), links themselves, never what
// they point at (Wine cannot remove a Unix link without its target).
void RemoveUnixTree(const std::string& folder);

// `folder` seen as the drive `letter` ("x") while the object lives.
class MappedDrive {
 public:
  MappedDrive(const std::string& letter, const std::string& folder);
  ~MappedDrive();
  MappedDrive(const MappedDrive&) = delete;
  MappedDrive& operator=(const MappedDrive&) = delete;
  std::string root() const { return letter_ + ":\\"; }

 private:
  std::string letter_, device_;
};

// `folder` seen as \\localhost\<share> while the object lives.
class LocalShare {
 public:
  LocalShare(const std::string& share, const std::string& folder);
  ~LocalShare();
  LocalShare(const LocalShare&) = delete;
  LocalShare& operator=(const LocalShare&) = delete;
  std::string root() const { return "\\\\localhost\\" + share_; }

 private:
  std::string share_, device_;
};

}  // namespace velk::testkit
