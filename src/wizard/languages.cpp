#include "wizard/languages.h"

#include "support/text_tools.h"
#include "wizard/catalogue.h"

namespace velk {
namespace {

// The box shows Deutsch, then English; the box passes "1031" and "0".
constexpr Language kLanguages[] = {
    {"1031", "Deutsch", "de", GermanCatalogue},
    {"0", "English", "en", EnglishCatalogue},
};

}  // namespace

std::span<const Language> Languages() { return kLanguages; }

const Language& FallbackLanguage() { return kLanguages[std::size(kLanguages) - 1]; }

const Language& LanguageForCode(const std::string& code) {
  for (const Language& language : kLanguages)
    if (code == language.code) return language;
  return FallbackLanguage();
}

const Language* LanguageForSwitch(const std::string& name) {
  for (const Language& language : kLanguages)
    if (EqualsNoCase(name, language.switchName)) return &language;
  return nullptr;
}

std::string LanguageSwitchNames(const std::string& separator) {
  std::string names;
  for (const Language& language : kLanguages) names += (names.empty() ? "" : separator) + language.switchName;
  return names;
}

MessageCatalogue CatalogueOf(const Language& language) {
  MessageCatalogue texts = language.catalogue();
  if (&language == &FallbackLanguage()) return texts;
  const MessageCatalogue fallback = FallbackLanguage().catalogue();
  for (const CatalogueEntry& entry : kCatalogueEntries)
    if ((texts.*entry.text).empty()) texts.*entry.text = fallback.*entry.text;
  return texts;
}

}  // namespace velk
