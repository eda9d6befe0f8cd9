#pragma once
// The user's choices on the choices page as one value. The page work reads the run request's
// Choices; the window's clicks and the unattended mode both change them through the same
// couplings. Which control holds which choice is the window's (wizard/choice_controls).

namespace velk {

enum class Action { Install, Uninstall, Switch };

struct Choices {
  Action action = Action::Install;
  bool scripts = true;     // unpack the mod's files
  bool cursor = true;      // keep the new mouse cursor (a part of the scripts)
  bool skins = true;       // keep the new weapon skins (a part of the scripts)
  bool maps = true;        // unpack the maps and convert levels
  bool removeOld = false;  // remove old versions

  // An install takes all four parts; uninstall and switch-over take none.
  void SelectAction(Action chosen);
  // The mouse cursor and the weapon skins follow the scripts.
  void SetScripts(bool on);
  bool operator==(const Choices&) const = default;
};

}  // namespace velk
