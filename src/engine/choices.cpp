#include "engine/choices.h"

namespace velk {

void Choices::SelectAction(Action chosen) {
  action = chosen;
  const bool install = chosen == Action::Install;
  scripts = cursor = skins = maps = install;
}

void Choices::SetScripts(bool on) { scripts = cursor = skins = on; }

}  // namespace velk
