#pragma once
// Where /LOG= may write its copy of the run log. The file is named by whoever starts the
// setup and may be anything: a stock file of the game, a file of the setup, a link.
#include <string>

#include "engine/message_catalogue.h"

namespace velk {

// Why `target` may not take the copy, as the text that says so (its %s the file); nullptr when
// it may. Refused: no full path, a link, anything inside `gameDir` (the folder as CheckPath
// takes it) but a file of its own directly in it ending in ".log" other than the run log, and
// the setup's own files in `appDir` (the program, the archiver, the payload, the batch file,
// anything below its work folder). Spellings and links are resolved before comparing.
std::string MessageCatalogue::*CheckLogCopyTarget(const std::string& target, const std::string& gameDir,
                                                  const std::string& appDir);

}  // namespace velk
