#include "wizard/navigation.h"

#include <optional>
#include <vector>

#include "engine/choices.h"
#include "wizard/choice_controls.h"
#include "engine/install_run.h"
#include "engine/page_work.h"
#include "levels/game_detection.h"
#include "levels/game_folder_check.h"
#include "support/settings_store.h"
#include "wizard/languages.h"
#include "wizard/request_capture.h"
#include "wizard/window_names.h"

namespace velk {
// The next and exit buttons stay disabled while a page's work runs; nested NextPage calls
// (from DoOutput, or the page-2 skip) share one disabled stretch.
// The choices cannot be changed while the page that holds them is at work: its checks and
// the run take the choices as they were when the next button was pressed.
class Wizard::BusyScope {
 public:
  explicit BusyScope(Wizard& wizard) : wizard_(wizard) {
    if (wizard_.busy_++ != 0) return;
    wizard_.SetButtonsEnabled(false);
    if (wizard_.session_.PageIndex != 1) return;
    for (const Ctl control : kChoiceControls) {
      if (!wizard_.ui_.Enabled(control)) continue;
      wizard_.ui_.SetEnabled(control, false);
      frozen_.push_back(control);
    }
  }
  ~BusyScope() {
    if (--wizard_.busy_ != 0) return;
    wizard_.SetButtonsEnabled(true);
    for (const Ctl control : frozen_) wizard_.ui_.SetEnabled(control, true);
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  Wizard& wizard_;
  std::vector<Ctl> frozen_;  // the choice controls it disabled
};

void Wizard::SetButtonsEnabled(bool enabled) {
  ui_.SetEnabled(Ctl::Command5, enabled);
  ui_.SetEnabled(Ctl::Command7, enabled);
}

void Wizard::StartUp(bool inDesignHost, unsigned systemLcid) {
  LoadLanguage("", systemLcid);
  session_.LastPage = 4;
  session_.PageIndex = 0;
  ui_.ShowPage(0, true);
  const std::optional<std::string> remembered = ReadGameDirSetting();
  if (!remembered) {
    // First start: a Far Cry installation found on this computer is offered in the path box,
    // a suggestion the user still confirms with the next button.
    const std::vector<DetectedGame> found = DetectGameFolders();
    ui_.SetText(Ctl::Text1, found.empty() ? "" : found.front().folder);
    return;
  }
  ui_.SetText(Ctl::Text1, *remembered);
  std::string gameDir = ui_.Text(Ctl::Text1);
  const bool ok = CheckPath(gameDir);
  ui_.SetText(Ctl::Text1, gameDir);
  // A remembered, valid folder skips the first page, except while the designer hosts us.
  if (ok && !inDesignHost) NextPage();
}

bool Wizard::NextPage() {
  CaptureRequest(session_, ui_);
  return Continue();
}

bool Wizard::Continue() {
  BusyScope busy(*this);
  const bool left = CheckInput(session_, ui_);
  if (left) {
    ui_.ShowPage(session_.PageIndex, false);
    ++session_.PageIndex;
    ui_.ShowPage(session_.PageIndex, true);
    // The pages the wizard passes through by itself hold nothing the user chose.
    DoOutput(session_, ui_, [this] { Continue(); });
    // PageIndex is read again: an install without maps has already moved on by itself.
    if (session_.PageIndex == 2) ui_.SetVisible(Ctl::Frame1, false);
    if (session_.PageIndex == 2 && session_.Request.choices.action != Action::Install) {
      Continue();
      Continue();
    }
  }
  if (session_.PageIndex == session_.LastPage) ui_.SetVisible(Ctl::Command5, false);
  return left;
}

void Wizard::OptionClicked(Ctl option) {
  const std::optional<Action> action = ActionOf(option);
  if (!action) return;
  Choices choices = ReadChoices(ui_);
  choices.SelectAction(*action);
  WriteChoices(ui_, choices);
}

void Wizard::ScriptsClicked() {
  Choices choices = ReadChoices(ui_);
  choices.SetScripts(choices.scripts);
  WriteChoices(ui_, choices);
}

void Wizard::LanguageChosen(int comboIndex) {
  const std::span<const Language> languages = Languages();
  if (comboIndex >= 0 && comboIndex < static_cast<int>(languages.size()))
    LoadLanguage(languages[static_cast<size_t>(comboIndex)].code);
}

void Wizard::LoadLanguage(const std::string& languageCode, unsigned systemLcid) {
  const Language& language =
      LanguageForCode(languageCode.empty() ? std::to_string(systemLcid) : languageCode);
  session_.Language = language.switchName;
  session_.Texts = CatalogueOf(language);
  TranslateControls();
}

void Wizard::TranslateControls() {
  const MessageCatalogue& t = session_.Texts;
  const struct {
    Ctl control;
    const std::string& text;
  } captions[] = {
      {Ctl::Option1, InstallCaption(session_)}, {Ctl::Check2, t.MsgRemoveOld},
      {Ctl::Option2, t.MsgUninstallMod},   {Ctl::Check3, t.MsgInstallScripts},
      {Ctl::Check4, t.MsgInstallMaps},     {Ctl::Label2, t.MsgSelectMaps},
      {Ctl::Label5, t.MsgComplete},        {Ctl::Label9, t.MsgExtracting},
      {Ctl::Check5, t.MsgMouseCursor},     {Ctl::Check1, t.MsgWeaponSkins},
      {Ctl::Command7, t.MsgExit},          {Ctl::Option3, SwitchCaption(session_)},
  };
  // Built from the design caption each time, so repeated calls never add a second tag.
  ui_.SetText(Ctl::Label1, FormatText(kBannerPrefix + session_.ModTag, ""));
  ui_.SetText(Ctl::Label3, FormatText(t.MsgWelcome, session_.ModTag));
  ui_.SetText(Ctl::Label4, FormatText(t.MsgPathHint, ""));
  for (const auto& caption : captions) ui_.SetText(caption.control, FormatText(caption.text, ""));
}

}  // namespace velk
