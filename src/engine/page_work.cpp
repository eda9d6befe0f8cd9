#include "engine/page_work.h"

#include "engine/install_run.h"
#include "engine/level_conversion.h"

namespace velk {

void DoOutput(WizardSession& session, WizardUi& ui, const NextPageFn& nextPage) {
  switch (session.PageIndex) {
    case 1:
      PrepareChoices(session, ui);
      break;
    case 2:
      CarryOutChoice(session, ui, nextPage);
      break;
    case 3:
      ConvertChosenLevels(session, ui);
      break;
    default:
      break;  // pages 0 and 4 have no work of their own
  }
}

}  // namespace velk
