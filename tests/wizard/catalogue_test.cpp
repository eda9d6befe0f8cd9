// The English and German texts and their display form.
#include "wizard/catalogue.h"

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

std::vector<const std::string*> AllTexts(const MessageCatalogue& t) {
  return {&t.MsgDisableMod,    &t.MsgEnableMod,     &t.MsgMouseCursor,   &t.MsgWeaponSkins,
          &t.MsgExtracting,    &t.MsgSelectMaps,    &t.MsgInstallScripts, &t.MsgInstallMaps,
          &t.MsgUninstallMod,  &t.MsgRepair,        &t.MsgInstallMod,    &t.MsgRemoveOld,
          &t.MsgPathHint,      &t.MsgWelcome,       &t.ModDescSource,    &t.MsgShortcutName,
          &t.MsgErrorOccurred, &t.MsgFileNotFound,  &t.MsgExtractError,  &t.MsgChooseGameDir,
          &t.MsgExit,          &t.MsgExtractingFile, &t.MsgLevelUpdated, &t.MsgWrongGameDir,
          &t.MsgNone,          &t.MsgCreating,      &t.MsgComplete};
}

TEST(Catalogue, EveryEntryIsFilledInBothLanguages) {
  for (const MessageCatalogue& t : {EnglishCatalogue(), GermanCatalogue()})
    for (const std::string* text : AllTexts(t)) EXPECT_FALSE(text->empty());
}

TEST(Catalogue, EnglishEntriesKeepTheirExactWording) {
  const MessageCatalogue en = EnglishCatalogue();
  EXPECT_EQ(en.MsgErrorOccurred, "An error occured!");
  EXPECT_EQ(en.MsgExtractError,
            "Error extracting '%s'!|Please make sure that 7-Zip is installed, if the problem "
            "still exists send me the the logfile (velk.log in the Far Cry main dir)!");
  EXPECT_EQ(en.MsgMouseCursor, "New mousecursor");
  EXPECT_EQ(en.MsgRemoveOld, "Remove old version(s)");
  EXPECT_EQ(en.MsgExtractingFile, "extracting '%s'...");
  EXPECT_EQ(en.MsgCreating, "creating '%s'...");
  EXPECT_EQ(en.ModDescSource, "ModDesc.en.txt");
  EXPECT_EQ(en.MsgShortcutName, "Far Cry VELK");
  EXPECT_EQ(en.MsgExit, "Exit");
  EXPECT_EQ(en.MsgPathHint, "Note:|The path will be saved for subsequent installations.");
  EXPECT_EQ(en.MsgWelcome.substr(0, 43), "Welcome to the VELK Mod %s Setup program.||");
  EXPECT_NE(en.MsgWelcome.find("the folder \"Levels\", but since"), std::string::npos);
}

TEST(Catalogue, GermanEntriesKeepTheirExactWordingInUtf8) {
  const MessageCatalogue de = GermanCatalogue();
  EXPECT_EQ(de.MsgExtracting, "Entpacke...");
  EXPECT_EQ(de.MsgExtractingFile, "Entpacke '%s'...");
  EXPECT_EQ(de.MsgSelectMaps, "Zu aktualisierende Maps ausw\xC3\xA4hlen:");
  EXPECT_EQ(de.MsgChooseGameDir, "Bitte den Far Cry Ordner w\xC3\xA4hlen!");
  EXPECT_EQ(de.MsgPathHint,
            "Hinweis:|Der Pfad wird f\xC3\xBCr nachfolgende Installationen gespeichert.");
  EXPECT_EQ(de.MsgExtractError,
            "Fehler beim Entpacken von '%s'!|Bitte sicherstellen dass 7-Zip installiert ist, "
            "falls das Problem immernoch besteht mir die Logfile (velk.log im Far Cry "
            "Hauptverzeichniss) schicken!)");
  EXPECT_EQ(de.MsgLevelUpdated, "Level geupdated:");
  EXPECT_EQ(de.MsgExit, "Beenden");
  EXPECT_EQ(de.MsgNone, "keine");
  EXPECT_EQ(de.ModDescSource, "ModDesc.de.txt");
  EXPECT_EQ(de.MsgShortcutName, "Far Cry VELK");
  EXPECT_NE(de.MsgWelcome.find("Verzeichnis \"Levels\" gesichert"), std::string::npos);
  EXPECT_NE(de.MsgWelcome.find("Sch\xC3\xA4" "den.|"), std::string::npos);
  EXPECT_NE(de.MsgWelcome.find("gel\xC3\xB6scht"), std::string::npos);
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

TEST(Catalogue, OnlyTheExactCode1031IsGerman) {
  EXPECT_TRUE(IsGermanCode("1031"));
  for (const char* code : {"0", "1033", "2055", "3079", "", " 1031", "01031", "1031 "})
    EXPECT_FALSE(IsGermanCode(code)) << code;
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
