#pragma once
// Which column of the text tables the user interface speaks, chosen once at start-up.

#include <string>
#include <string_view>

namespace ui {

// The column order of the text tables.
enum Language : int {
  kEnglish = 0,
  kFrench = 1,
  kGerman = 2,
  kJapanese = 3,
  kItalian = 4,
  kDutch = 5,
};
inline constexpr int kLanguageCount = 6;

// The locale variables in the order they are consulted; an unset variable is empty.
struct LocaleVariables {
  std::string language;    // LANGUAGE: a colon-separated list of preferences
  std::string lcAll;       // LC_ALL
  std::string lcMessages;  // LC_MESSAGES
  std::string lang;        // LANG
};

// A language code such as "de", "de_CH.UTF-8", "fr-BE" or "ja_JP@euro": de, fr, it, ja and nl
// with any country or modifier give their column, anything else English.
Language LanguageFromCode(std::string_view code);

// The first non-empty variable decides, and of LANGUAGE's list the first non-empty entry.
// Nothing set, "C" and "POSIX" give English.
Language ChooseLanguage(const LocaleVariables& variables);

// The variables of this process's environment.
LocaleVariables ReadLocaleVariables();

}  // namespace ui
