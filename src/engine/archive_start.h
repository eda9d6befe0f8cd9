#pragma once
// A setup started from inside its downloaded archive: Windows Explorer (and other archivers)
// copy the one file double-clicked into a temporary folder of their own and start it there,
// without the rest of the payload. Downloading again does not help then; unpacking does.
#include <string>

#include "engine/wizard_session.h"

namespace velk {

// True when the last name of `appDir` is one an archiver gives such a temporary folder,
// letter case aside: Explorer's "Temp<digits>_<archive name>.zip", WinRAR's "Rar$EX...",
// 7-Zip's "7zO...".
bool IsArchiverTempFolder(const std::string& appDir);

// The message for the setup file `file` (beside the program) that is missing or damaged: when
// it is missing and the setup runs in an archiver's temporary folder, to unpack the whole
// archive first; otherwise `otherwise` (MsgPayloadBroken or MsgFileNotFound) with the file.
std::string SetupFileMessage(const WizardSession& session, const std::string& file, const std::string& otherwise);

}  // namespace velk
