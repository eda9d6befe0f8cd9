#pragma once
// The English and German texts of the wizard.
#include <string>

#include "engine/message_catalogue.h"

namespace velk {

// Only the code "1031" selects German; every other code (also "2055", "3079") English.
bool IsGermanCode(const std::string& languageCode);
MessageCatalogue EnglishCatalogue();
MessageCatalogue GermanCatalogue();

}  // namespace velk
