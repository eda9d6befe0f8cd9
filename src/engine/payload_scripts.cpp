#include "engine/payload_scripts.h"

#include "engine/engine_io.h"
#include "engine/archive_commands.h"
#include "support/file_helpers.h"
#include "support/process_info.h"

namespace velk {

PayloadScripts::~PayloadScripts() {
  if (!privateFolder_.empty()) RemoveFolderTree(privateFolder_);
}

std::optional<std::string> PayloadScripts::Script(const std::string& level, const std::string& leaf) {
  const std::string inPayload = std::string(layout::kWorkFolder) + "\\" + level + "\\" + leaf;
  std::string bytes;
  if (ReadFileBytes(JoinPath(session_.AppDir, inPayload), bytes)) return bytes;
  if (!unpacked_) {
    unpacked_ = true;
    const std::string archive = JoinPath(session_.AppDir, layout::kMapFilesArchive);
    privateFolder_ = NewPrivateTempFolder("velk-scripts");
    if (FileExists(archive) && !privateFolder_.empty())
      RunArchiver(session_, ui_, ScriptsExtractCommand(session_.AppDir, privateFolder_), ".");
  }
  if (!privateFolder_.empty() && ReadFileBytes(privateFolder_ + "\\" + inPayload, bytes)) return bytes;
  return std::nullopt;
}

}  // namespace velk
