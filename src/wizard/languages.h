#pragma once
// The languages of the wizard, one row each: what selects it, its name in the language box
// and for /LANG=, and its catalogue. Adding a language is one catalogue and one row.
#include <span>
#include <string>

#include "engine/message_catalogue.h"

namespace velk {

struct Language {
  const char* code;        // the locale code that selects it, exactly ("1031")
  const char* boxName;     // its item in the language box
  const char* switchName;  // its value of /LANG=
  MessageCatalogue (*catalogue)();
};

// Every language, in the order of the language box. The last one is the fallback: every other
// locale code selects it, and a language that lacks a text takes the fallback's.
std::span<const Language> Languages();
const Language& FallbackLanguage();

// The language the code selects: the row with exactly that code, otherwise the fallback (so
// "2055" and "3079", German too, select English).
const Language& LanguageForCode(const std::string& code);
// The row of a /LANG= value (letter case aside); nullptr for an unknown one.
const Language* LanguageForSwitch(const std::string& name);

// The /LANG= names of all languages, joined by `separator`.
std::string LanguageSwitchNames(const std::string& separator = ", ");

// The language's catalogue, every empty entry filled from the fallback's.
MessageCatalogue CatalogueOf(const Language& language);

}  // namespace velk
