// The English and German texts and their display form.
#include "wizard/catalogue.h"
#include "wizard/languages.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace velk {
namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

// The number of line breaks right before the last sentence of the welcome text.
size_t BreaksBeforeLastSentence(const std::string& shown) {
  size_t end = shown.rfind("\r\n") + 2;
  size_t n = 0;
  while (end >= 2 * (n + 1) && shown.compare(end - 2 * (n + 1), 2, "\r\n") == 0) ++n;
  return n;
}

TEST(Catalogue, EveryEntryIsFilledAndKeepsItsWordingInEachLanguage) {
  const MessageCatalogue en = EnglishCatalogue(), de = GermanCatalogue();
  for (const Language& language : Languages())
    for (const CatalogueEntry& entry : kCatalogueEntries)
      EXPECT_FALSE((language.catalogue().*entry.text).empty()) << language.boxName << " " << entry.name;
  // The texts users and the run log know, character for character (German in UTF-8).
  const struct {
    std::string MessageCatalogue::*entry;
    const char *english, *german;
  } wording[] = {
      {&MessageCatalogue::MsgErrorOccurred, "An error occured!", "Es trat ein Fehler auf!"},
      {&MessageCatalogue::MsgExtractError,
       "Error extracting '%s'!|Please make sure that 7-Zip is installed, if the problem still exists "
       "send me the the logfile (velk.log in the Far Cry main dir)!",
       "Fehler beim Entpacken von '%s'!|Bitte sicherstellen dass 7-Zip installiert ist, falls das "
       "Problem immernoch besteht mir die Logfile (velk.log im Far Cry Hauptverzeichniss) schicken!)"},
      {&MessageCatalogue::MsgMouseCursor, "New mousecursor", "Neuer Mauscursor"},
      {&MessageCatalogue::MsgRemoveOld, "Remove old version(s)", "Alte Version(en) entfernen"},
      {&MessageCatalogue::MsgExtracting, "Extracting...", "Entpacke..."},
      {&MessageCatalogue::MsgExtractingFile, "extracting '%s'...", "Entpacke '%s'..."},
      {&MessageCatalogue::MsgCreating, "creating '%s'...", "Erstelle '%s'..."},
      {&MessageCatalogue::MsgSelectMaps, "Select which maps to update:", "Zu aktualisierende Maps ausw\xC3\xA4hlen:"},
      {&MessageCatalogue::MsgChooseGameDir, "Choose the Far Cry directory!", "Bitte den Far Cry Ordner w\xC3\xA4hlen!"},
      {&MessageCatalogue::MsgPathHint, "Note:|The path will be saved for subsequent installations.",
       "Hinweis:|Der Pfad wird f\xC3\xBCr nachfolgende Installationen gespeichert."},
      {&MessageCatalogue::MsgLevelUpdated, "Level updated:", "Level geupdated:"},
      {&MessageCatalogue::MsgExit, "Exit", "Beenden"},
      {&MessageCatalogue::MsgNone, "none", "keine"},
      {&MessageCatalogue::ModDescSource, "ModDesc.en.txt", "ModDesc.de.txt"},
      {&MessageCatalogue::MsgShortcutName, "Far Cry VELK", "Far Cry VELK"},
      {&MessageCatalogue::MsgWrongGameDir, "Wrong Far Cry folder!", "Falscher Far Cry Ordner!"},
      {&MessageCatalogue::MsgAlreadyRunning, "The VELK Mod setup wizard is already running.",
       "Der VELK Mod Setup-Assistent l\xC3\xA4uft bereits."},
  };
  for (const auto& w : wording) {
    EXPECT_EQ(en.*w.entry, w.english);
    EXPECT_EQ(de.*w.entry, w.german);
  }
  EXPECT_EQ(en.MsgWelcome.substr(0, 43), "Welcome to the VELK Mod %s Setup program.||");
  EXPECT_NE(en.MsgWelcome.find("the folder \"Levels\", but since"), std::string::npos);
  EXPECT_NE(de.MsgWelcome.find("Verzeichnis \"Levels\" gesichert"), std::string::npos);
  EXPECT_NE(de.MsgWelcome.find("l\xC3\xA4sst sich vollst\xC3\xA4ndig r\xC3\xBC" "ckg\xC3\xA4ngig"),
            std::string::npos);
}

TEST(Catalogue, WelcomeTextShowsTheTagAndItsLineBreaks) {
  const std::string en = FormatText(EnglishCatalogue().MsgWelcome, "Av8");
  const std::string de = FormatText(GermanCatalogue().MsgWelcome, "Av8");
  EXPECT_EQ(en.substr(0, 46), "Welcome to the VELK Mod Av8 Setup program.\r\n\r\n");
  EXPECT_EQ(de.substr(0, 50), "Willkommen zum VELK Mod Av8 Setup-Assistenten!\r\n\r\n");
  EXPECT_EQ(BreaksBeforeLastSentence(en), 3u);
  EXPECT_EQ(BreaksBeforeLastSentence(de), 2u);
  EXPECT_EQ(en.substr(en.rfind("\r\n") + 2), "Please specify the path to your Far Cry directory:");
  EXPECT_EQ(de.substr(de.rfind("\r\n") + 2), "Bitte den Pfad zum Far Cry-Verzeichnis angeben:");
  EXPECT_EQ(Count(en, "\r\n"), 6u);
  EXPECT_EQ(Count(de, "\r\n"), 5u);
  EXPECT_EQ(Count(en, "|") + Count(de, "|") + Count(en, "%s"), 0u);
}

TEST(Languages, TheBoxOrderTheSwitchesAndOnlyTheExactCode1031ForGerman) {
  std::vector<std::string> box, switches;
  for (const Language& language : Languages()) {
    box.push_back(language.boxName);
    switches.push_back(language.switchName);
  }
  EXPECT_EQ(box, (std::vector<std::string>{"Deutsch", "English"}));
  EXPECT_EQ(switches, (std::vector<std::string>{"de", "en"}));
  EXPECT_STREQ(LanguageForCode("1031").switchName, "de");
  for (const char* code : {"0", "1033", "2055", "3079", "", " 1031", "01031", "1031 "})
    EXPECT_STREQ(LanguageForCode(code).switchName, "en") << code;
  EXPECT_EQ(LanguageForSwitch("DE"), &Languages()[0]);
  EXPECT_EQ(LanguageForSwitch("fr"), nullptr);
  // A text a language lacks comes from the fallback.
  static const Language sparse{"1", "Sparse", "sp", [] {
                                  MessageCatalogue t;
                                  t.MsgExit = "Raus";
                                  return t;
                                }};
  const MessageCatalogue filled = CatalogueOf(sparse);
  EXPECT_EQ(filled.MsgExit, "Raus");
  EXPECT_EQ(filled.MsgNone, "none");
}

TEST(FormatText, ApostrophesBecomeDoubleQuotesAroundTheArgument) {
  EXPECT_EQ(FormatText(EnglishCatalogue().MsgFileNotFound, "modfiles.7z"),
            "File \"modfiles.7z\" not found!");
  EXPECT_EQ(FormatText(GermanCatalogue().MsgFileNotFound, "modfiles.7z"),
            "Datei \"modfiles.7z\" nicht gefunden!");
}

TEST(FormatText, ExtractErrorIsTwoLinesWithTheQuotedName) {
  for (const MessageCatalogue& t : {EnglishCatalogue(), GermanCatalogue()}) {
    const std::string shown = FormatText(t.MsgExtractError, "modfiles.7z");
    EXPECT_EQ(Count(shown, "\r\n"), 1u);
    EXPECT_NE(shown.substr(0, shown.find("\r\n")).find("\"modfiles.7z\"!"), std::string::npos);
  }
  const std::string en = FormatText(EnglishCatalogue().MsgExtractError, "modfiles.7z");
  EXPECT_EQ(en.substr(0, en.find("\r\n")), "Error extracting \"modfiles.7z\"!");
}

TEST(FormatText, ArgumentIsInsertedLiterally) {
  const std::string text = EnglishCatalogue().MsgCreating;  // "creating '%s'..."
  EXPECT_EQ(FormatText(text, "a%sb|c'd"), "creating \"a%sb|c'd\"...");
  EXPECT_EQ(FormatText("%s and %s", "x|y"), "x|y and x|y");
  EXPECT_EQ(FormatText("no placeholder", "ignored"), "no placeholder");
}

TEST(FormatText, TextsWithoutMarkupStayUnchanged) {
  EXPECT_EQ(FormatText(EnglishCatalogue().MsgWrongGameDir, ""), "Wrong Far Cry folder!");
  EXPECT_EQ(FormatText(GermanCatalogue().MsgWrongGameDir, ""), "Falscher Far Cry Ordner!");
  EXPECT_EQ(FormatText(EnglishCatalogue().MsgPathHint, ""),
            "Note:\r\nThe path will be saved for subsequent installations.");
}

}  // namespace
}  // namespace velk
