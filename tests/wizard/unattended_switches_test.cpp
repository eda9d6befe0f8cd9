// The unattended mode's command line.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "kit/test_kit.h"
#include "support/process_info.h"
#include "support/text_tools.h"
#include "wizard/unattended.h"
#include "wizard/unattended_switch_table.h"
#include "wizard/unattended_switches.h"

namespace velk {
namespace {

TEST(UnattendedSwitches, DefaultsWithoutSwitches) {
  SwitchParse p = ParseUnattendedSwitches({"/S"});
  ASSERT_TRUE(p.ok) << p.error;
  const UnattendedOptions& o = p.options;
  EXPECT_TRUE(o.unattended);
  EXPECT_FALSE(o.help);
  EXPECT_FALSE(o.gameDir.has_value());
  EXPECT_EQ(o.action, Action::Install);
  EXPECT_TRUE(o.scripts && o.cursor && o.skins && o.maps);
  EXPECT_FALSE(o.componentsGiven);
  EXPECT_FALSE(o.levels.has_value());
  EXPECT_FALSE(o.keepOld);
  EXPECT_EQ(o.language, "");
}

TEST(UnattendedSwitches, EverySwitchAnyCase) {
  SwitchParse p = ParseUnattendedSwitches({"/s", "/d=C:\\Games\\Far Cry", "/Action=UNINSTALL",
                                           "/components=Scripts, maps", "/levels=Archive,,dam ",
                                           "/keepold", "/LANG=De"});
  ASSERT_TRUE(p.ok) << p.error;
  const UnattendedOptions& o = p.options;
  EXPECT_EQ(o.gameDir.value_or(""), "C:\\Games\\Far Cry");
  EXPECT_EQ(o.action, Action::Uninstall);
  EXPECT_TRUE(o.componentsGiven);
  EXPECT_TRUE(o.scripts);
  EXPECT_FALSE(o.cursor);
  EXPECT_FALSE(o.skins);
  EXPECT_TRUE(o.maps);
  ASSERT_TRUE(o.levels.has_value());
  EXPECT_EQ(*o.levels, (std::vector<std::string>{"Archive", "dam"}));
  EXPECT_TRUE(o.keepOld);
  EXPECT_EQ(o.language, "de");
}

TEST(UnattendedSwitches, ActionsAndLevelLists) {
  EXPECT_EQ(ParseUnattendedSwitches({"/S", "/ACTION=repair"}).options.action, Action::Install);
  EXPECT_EQ(ParseUnattendedSwitches({"/S", "/ACTION=toggle"}).options.action, Action::Switch);
  // "all" means what the list offers; an empty list ticks nothing.
  EXPECT_FALSE(ParseUnattendedSwitches({"/S", "/LEVELS=Dam", "/LEVELS=ALL"}).options.levels.has_value());
  SwitchParse none = ParseUnattendedSwitches({"/S", "/LEVELS="});
  ASSERT_TRUE(none.ok);
  ASSERT_TRUE(none.options.levels.has_value());
  EXPECT_TRUE(none.options.levels->empty());
  SwitchParse noParts = ParseUnattendedSwitches({"/S", "/COMPONENTS="});
  ASSERT_TRUE(noParts.ok);
  EXPECT_FALSE(noParts.options.scripts || noParts.options.cursor || noParts.options.skins ||
               noParts.options.maps);
}

TEST(UnattendedSwitches, AGameFolderNamedTwiceMustBeTheSame) {
  const struct {
    std::vector<std::string> arguments;
    bool ok;
  } cases[] = {
      {{"/S", "/D=C:\\Games\\Far Cry", "/DIR=c:/games/far cry/"}, true},
      {{"/S", "/D=C:\\Games\\x\\..\\Far Cry", "/D=C:\\Games\\Far Cry\\."}, true},
      {{"/S", "/DIR=C:\\Games\\Far Cry", "/DIR=C:\\Games\\Far", "Cry"}, true},
      {{"/S", "/D=C:\\Games\\Far Cry", "/DIR=D:\\Far Cry"}, false},
      {{"/S", "/DIR=C:\\Games\\Far Cry", "/D=D:\\Far Cry"}, false},
      {{"/S", "/D=C:\\Games\\Far Cry", "/D=D:\\Far Cry"}, false},
  };
  for (const auto& c : cases) {
    std::vector<std::string> arguments = c.arguments;
    arguments.push_back("/LANG=en");
    const SwitchParse p = ParseUnattendedSwitches(arguments);
    EXPECT_EQ(p.ok, c.ok) << c.arguments[1] << " " << c.arguments[2] << ": " << p.error;
    if (c.ok) continue;
    // Both folders named, neither taken.
    const std::string first = c.arguments[1].substr(c.arguments[1].find('=') + 1);
    const std::string second = c.arguments[2].substr(c.arguments[2].find('=') + 1);
    EXPECT_NE(p.error.find("'" + first + "', '" + second + "'"), std::string::npos) << p.error;
    EXPECT_NE(p.error.find("/D= and /DIR="), std::string::npos) << p.error;
  }
}

TEST(UnattendedSwitches, GameFolderTakesTheRestWithBlanks) {
  // Quoted: one argument with its blanks (and an "=" of its own).
  SwitchParse quoted = ParseUnattendedSwitches({"/S", "/D=D:\\Games\\a=b  c", "/KEEPOLD"});
  ASSERT_TRUE(quoted.ok);
  EXPECT_EQ(quoted.options.gameDir.value_or(""), "D:\\Games\\a=b  c");
  EXPECT_TRUE(quoted.options.keepOld);
  // Unquoted: the words up to the next switch.
  SwitchParse words = ParseUnattendedSwitches({"/S", "/D=D:\\Program", "Files", "(x86)\\Far", "Cry", "/LANG=en"});
  ASSERT_TRUE(words.ok);
  EXPECT_EQ(words.options.gameDir.value_or(""), "D:\\Program Files (x86)\\Far Cry");
  EXPECT_EQ(words.options.language, "en");
}

TEST(UnattendedSwitches, SwitchesOfScriptsForOtherInstallers) {
  SwitchParse p = ParseUnattendedSwitches({"/VERYSILENT", "/SUPPRESSMSGBOXES", "/NORESTART",
                                           "/DIR=C:\\Games\\Far", "Cry", "/LOG=setup.log"});
  ASSERT_TRUE(p.ok) << p.error;
  EXPECT_TRUE(p.options.unattended);
  EXPECT_EQ(p.options.gameDir.value_or(""), "C:\\Games\\Far Cry");
  EXPECT_EQ(p.options.logCopy.value_or(""), "setup.log");
  EXPECT_TRUE(ParseUnattendedSwitches({"/silent"}).options.unattended);
}

TEST(UnattendedSwitches, BadSwitchesAreRefused) {
  for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
           {"/S", "/X"},
           {"/S", "/ACTION=remove"},
           {"/S", "/COMPONENTS=scripts,sounds"},
           {"/S", "/LANG=fr"},
           {"/S", "/D="},
           {"/S", "stray"},
           {"/S=1"},
           {"/S", "/KEEPOLD=yes"},
           {"/SILENT=1"},
           {"/VERYSILENT", "/NORESTART=no"},
           {"/S", "/DIR="},
           {"/S", "/LOG= "}}) {
    SwitchParse p = ParseUnattendedSwitches(bad);
    EXPECT_FALSE(p.ok) << bad.back();
    EXPECT_FALSE(p.error.empty());
  }
  EXPECT_NE(ParseUnattendedSwitches({"/S", "/COMPONENTS=scripts,sounds"}).error.find("sounds"),
            std::string::npos);
  // The reason comes in the language of the messages, also when /LANG= follows it.
  EXPECT_EQ(ParseUnattendedSwitches({"/S=1", "/LANG=de"}).error, "Der Schalter '/S=1' nimmt keinen Wert");
  EXPECT_EQ(ParseUnattendedSwitches({"/S", "/LANG=en", "/LANG=fr"}).error, "Unknown language 'fr' (de, en)");
}

TEST(UnattendedSwitches, WhoWantsTheUnattendedMode) {
  EXPECT_TRUE(WantsUnattended({"/S"}));
  EXPECT_TRUE(WantsUnattended({"/D=x", "/s"}));
  EXPECT_TRUE(WantsUnattended({"/?"}));
  EXPECT_FALSE(WantsUnattended({}));
  EXPECT_FALSE(WantsUnattended({"/D=x"}));
  EXPECT_TRUE(WantsUnattended({"/Silent"}));
  EXPECT_TRUE(WantsUnattended({"/VERYSILENT=1"}));  // refused by the parse, not left to the window
  EXPECT_TRUE(WantsUnattended({"/S=1"}));
  EXPECT_FALSE(WantsUnattended({"/SUPPRESSMSGBOXES"}));
  SwitchParse help = ParseUnattendedSwitches({"/?"});
  EXPECT_TRUE(help.ok && help.options.help);
  EXPECT_NE(UnattendedUsage().find("/COMPONENTS="), std::string::npos);
}

// The switch names of one row of a README table: the backquoted names in its first cell, each
// up to its "=".
std::vector<std::string> DocumentedNames(const std::string& row) {
  std::vector<std::string> names;
  const size_t cellEnd = row.find(" |", 2);
  for (size_t open = row.find('`'); open < cellEnd; open = row.find('`', open)) {
    const size_t close = row.find('`', open + 1);
    const std::string name = row.substr(open + 1, close - open - 1);
    names.push_back(name.substr(0, name.find('=')));
    open = close + 1;
  }
  return names;
}

// The README's switch table says what the program reads: every row of the one is a row of the
// other, with the same names, in the same order.
TEST(UnattendedSwitches, TheReadmeTableListsTheProgramsSwitches) {
  const std::string readme = testkit::ReadFile(ExeFolder() + "\\README.md");
  const size_t table = readme.find("| switch | meaning |");
  ASSERT_NE(table, std::string::npos);
  std::vector<std::vector<std::string>> documented;
  for (const std::string_view line : SplitLines(std::string_view(readme).substr(table))) {
    if (line.empty() || line[0] != '|') break;
    if (line.find('`') < line.find(" |", 2)) documented.push_back(DocumentedNames(std::string(line)));
  }
  std::vector<std::vector<std::string>> declared;
  for (const SwitchRow& row : SwitchTable()) {
    declared.emplace_back();
    for (const char* name : row.names)
      if (name) declared.back().push_back(name);
  }
  EXPECT_EQ(documented, declared);
  // And /? names every switch that has a part of the usage line.
  for (const SwitchRow& row : SwitchTable()) {
    if (*row.synopsis) {
      EXPECT_NE(UnattendedUsage().find(std::string("[") + row.names[0]), std::string::npos) << row.names[0];
    }
  }
}

}  // namespace
}  // namespace velk
