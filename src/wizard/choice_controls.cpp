#include "wizard/choice_controls.h"

namespace velk {
namespace {

constexpr struct {
  Action action;
  Ctl option;
} kOptions[] = {{Action::Install, Ctl::Option1}, {Action::Uninstall, Ctl::Option2}, {Action::Switch, Ctl::Option3}};

}  // namespace

Ctl OptionOf(Action action) {
  for (const auto& o : kOptions)
    if (o.action == action) return o.option;
  return Ctl::Option1;
}

std::optional<Action> ActionOf(Ctl option) {
  for (const auto& o : kOptions)
    if (o.option == option) return o.action;
  return std::nullopt;
}

void WriteChoices(WizardUi& ui, const Choices& c) {
  ui.SetValue(OptionOf(c.action), true);
  const bool install = c.action == Action::Install;
  const struct {
    Ctl control;
    bool value, enabled;
  } parts[] = {
      {Ctl::Check3, c.scripts, install},
      {Ctl::Check4, c.maps, install},
      {Ctl::Check5, c.cursor, install && c.scripts},
      {Ctl::Check1, c.skins, install && c.scripts},
  };
  for (const auto& part : parts) ui.SetEnabled(part.control, part.enabled);
  for (const auto& part : parts) ui.SetValue(part.control, part.value);
  ui.SetValue(Ctl::Check2, c.removeOld);
}

Choices ReadChoices(WizardUi& ui) {
  Choices c;
  // The first selected option counts.
  c.action = Action::Switch;
  for (const auto& o : kOptions) {
    if (ui.Value(o.option)) {
      c.action = o.action;
      break;
    }
  }
  c.scripts = ui.Value(Ctl::Check3);
  c.cursor = ui.Value(Ctl::Check5);
  c.skins = ui.Value(Ctl::Check1);
  c.maps = ui.Value(Ctl::Check4);
  c.removeOld = ui.Value(Ctl::Check2);
  return c;
}

}  // namespace velk
