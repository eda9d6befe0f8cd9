#include "wizard/unattended.h"

namespace velk {

bool WantsUnattended(const std::vector<std::string>&) { return false; }
int RunUnattended(const std::vector<std::string>&) { return 2; }

}  // namespace velk
