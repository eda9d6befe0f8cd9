#pragma once
// Which control of the choices page holds which choice, written here once: the window reads
// the choices from them when the page is left, and sets them after each coupling.
#include <optional>

#include "engine/choices.h"
#include "engine/wizard_ui.h"

namespace velk {

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
