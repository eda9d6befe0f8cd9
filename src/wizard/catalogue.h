#pragma once
// The catalogue of each language of the wizard (one catalogue_<language>.cpp each); the
// languages table (wizard/languages) names them.
#include "engine/message_catalogue.h"

namespace velk {

MessageCatalogue EnglishCatalogue();
MessageCatalogue GermanCatalogue();

}  // namespace velk
