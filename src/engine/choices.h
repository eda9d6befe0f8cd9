#pragma once
// The user's choices on the choices page as one value: which control means what is written
// here once. The page work reads Choices; the window's clicks and the unattended mode both
// change them through the same couplings.
#include <optional>

#include "engine/wizard_ui.h"

namespace velk {

enum class Action { Install, Uninstall, Switch };  // Option1, Option2, Option3

struct Choices {
  Action action = Action::Install;
  bool scripts = true;     // Check3: unpack the mod's files
  bool cursor = true;      // Check5: keep the new mouse cursor (a part of the scripts)
  bool skins = true;       // Check1: keep the new weapon skins (a part of the scripts)
  bool maps = true;        // Check4: unpack the maps and convert levels
  bool removeOld = false;  // Check2: remove old versions

  // An install takes all four parts; uninstall and switch-over take none.
  void SelectAction(Action chosen);
  // The mouse cursor and the weapon skins follow the scripts.
  void SetScripts(bool on);
  bool operator==(const Choices&) const = default;
};

// The option button of an action, and the action of an option button (none for another
// control).
Ctl OptionOf(Action action);
std::optional<Action> ActionOf(Ctl option);

// The controls that hold the choices.
inline constexpr Ctl kChoiceControls[] = {Ctl::Option1, Ctl::Option2, Ctl::Option3, Ctl::Check1,
                                          Ctl::Check2,  Ctl::Check3,  Ctl::Check4,  Ctl::Check5};

// The choices as the controls hold them.
Choices ReadChoices(WizardUi& ui);
// The controls set to the choices, each part enabled when the choices allow it: the four
// parts with an install, cursor and skins only with the scripts. Check2's enabled state is the
// choices page's own (it marks an old version).
void WriteChoices(WizardUi& ui, const Choices& choices);

}  // namespace velk
