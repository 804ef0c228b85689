#include "ui/language.h"

#include <array>
#include <cstdlib>

namespace ui {
namespace {

struct CodeColumn {
  std::string_view code;
  Language language;
};

constexpr std::array<CodeColumn, 5> kCodes = {{
    {"de", kGerman},
    {"fr", kFrench},
    {"it", kItalian},
    {"ja", kJapanese},
    {"nl", kDutch},
}};

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string GetVariable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string(value) : std::string();
}

}  // namespace

Language LanguageFromCode(std::string_view code) {
  // The language part ends at the country, the code set or the modifier.
  const size_t end = code.find_first_of("_-.@");
  const std::string_view primary = code.substr(0, end);
  if (primary.size() != 2) return kEnglish;
  const char first = Lower(primary[0]);
  const char second = Lower(primary[1]);
  for (const CodeColumn& entry : kCodes) {
    if (entry.code[0] == first && entry.code[1] == second) return entry.language;
  }
  return kEnglish;
}

Language ChooseLanguage(const LocaleVariables& variables) {
  if (!variables.language.empty()) {
    std::string_view list = variables.language;
    while (!list.empty()) {
      const size_t colon = list.find(':');
      const std::string_view entry = list.substr(0, colon);
      if (!entry.empty()) return LanguageFromCode(entry);
      if (colon == std::string_view::npos) break;
      list.remove_prefix(colon + 1);
    }
  }
  for (const std::string* value : {&variables.lcAll, &variables.lcMessages, &variables.lang}) {
    if (!value->empty()) return LanguageFromCode(*value);
  }
  return kEnglish;
}

LocaleVariables ReadLocaleVariables() {
  LocaleVariables variables;
  variables.language = GetVariable("LANGUAGE");
  variables.lcAll = GetVariable("LC_ALL");
  variables.lcMessages = GetVariable("LC_MESSAGES");
  variables.lang = GetVariable("LANG");
  return variables;
}

}  // namespace ui
