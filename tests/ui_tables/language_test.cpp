// The language choice from the locale variables.

#include "ui/language.h"

#include <gtest/gtest.h>

namespace {

using ui::Language;

struct CodeCase {
  const char* code;
  Language expected;
};

TEST(LanguageFromCode, MapsTheFiveLanguagesWithAnyCountryAndEverythingElseToEnglish) {
  const CodeCase cases[] = {
      {"de", ui::kGerman},
      {"de_CH.UTF-8", ui::kGerman},
      {"de_AT", ui::kGerman},
      {"fr_BE", ui::kFrench},
      {"fr-CA", ui::kFrench},
      {"it_IT@euro", ui::kItalian},
      {"ja_JP.UTF-8", ui::kJapanese},
      {"nl_BE", ui::kDutch},
      {"NL_nl", ui::kDutch},
      {"en_US.UTF-8", ui::kEnglish},
      {"es_ES", ui::kEnglish},
      {"zh_CN", ui::kEnglish},
      {"C", ui::kEnglish},
      {"C.UTF-8", ui::kEnglish},
      {"POSIX", ui::kEnglish},
      {"", ui::kEnglish},
      {"deu", ui::kEnglish},
      {"d", ui::kEnglish},
  };
  for (const CodeCase& c : cases) {
    EXPECT_EQ(ui::LanguageFromCode(c.code), c.expected) << c.code;
  }
}

TEST(ChooseLanguage, TheFirstSetVariableWinsInTheOrderOfLookUp) {
  EXPECT_EQ(ui::ChooseLanguage({"ja", "de_DE", "fr_FR", "it_IT"}), ui::kJapanese);
  EXPECT_EQ(ui::ChooseLanguage({"", "de_DE", "fr_FR", "it_IT"}), ui::kGerman);
  EXPECT_EQ(ui::ChooseLanguage({"", "", "fr_FR", "it_IT"}), ui::kFrench);
  EXPECT_EQ(ui::ChooseLanguage({"", "", "", "it_IT"}), ui::kItalian);
  EXPECT_EQ(ui::ChooseLanguage({"", "", "", ""}), ui::kEnglish);
  // A set variable that names English decides, later ones are not consulted.
  EXPECT_EQ(ui::ChooseLanguage({"", "C", "", "de_DE"}), ui::kEnglish);
}

TEST(ChooseLanguage, OnlyTheFirstEntryOfTheLanguageListCounts) {
  EXPECT_EQ(ui::ChooseLanguage({"nl:de:fr", "", "", ""}), ui::kDutch);
  EXPECT_EQ(ui::ChooseLanguage({"en_GB:de", "", "", "de_DE"}), ui::kEnglish);
  EXPECT_EQ(ui::ChooseLanguage({"::it", "", "", ""}), ui::kItalian);
  // A list of only separators names nothing: the next variable decides.
  EXPECT_EQ(ui::ChooseLanguage({":", "", "", "fr_FR"}), ui::kFrench);
}

}  // namespace
