// The text tables: complete, within their fixed fields, and exact where a slip would show.

#include <gtest/gtest.h>

#include <string_view>

#include "ui/text_table_a.h"
#include "ui/text_table_b.h"

namespace {

// UTF-16 code units of a UTF-8 text, or -1 when it is not well-formed UTF-8.
int Utf16Units(std::string_view text) {
  int units = 0;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = 0;
    if (lead < 0x80) {
      length = 1;
    } else if ((lead & 0xE0) == 0xC0) {
      length = 2;
    } else if ((lead & 0xF0) == 0xE0) {
      length = 3;
    } else if ((lead & 0xF8) == 0xF0) {
      length = 4;
    } else {
      return -1;
    }
    if (i + length > text.size()) return -1;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return -1;
    }
    units += length == 4 ? 2 : 1;
    i += length;
  }
  return units;
}

template <typename Table>
void ExpectEveryEntryFitsItsField(const Table& table, const char* name) {
  for (int language = 0; language < ui::kLanguageCount; ++language) {
    for (size_t entry = 0; entry < table[language].size(); ++entry) {
      const std::string_view text = table[language][entry];
      const int units = Utf16Units(text);
      EXPECT_GE(units, 0) << name << "[" << language << "][" << entry << "] is not UTF-8";
      EXPECT_LT(units, ui::kTextFieldUnits) << name << "[" << language << "][" << entry << "]";
    }
  }
}

TEST(TextTables, EveryEntryIsWellFormedAndFitsItsFixedField) {
  ExpectEveryEntryFitsItsField(ui::kTextTableA, "A");
  ExpectEveryEntryFitsItsField(ui::kTextTableB, "B");
}

TEST(TextTables, EveryEntryIsPresentExceptTheEmptyJapaneseEntryTwo) {
  for (int language = 0; language < ui::kLanguageCount; ++language) {
    for (int entry = 0; entry < ui::kTextTableAEntries; ++entry) {
      const bool emptyByDesign = language == ui::kJapanese && entry == ui::kStatusYour;
      EXPECT_EQ(ui::kTextTableA[language][entry].empty(), emptyByDesign)
          << "A[" << language << "][" << entry << "]";
    }
    for (int entry = 0; entry < ui::kTextTableBEntries; ++entry) {
      EXPECT_FALSE(ui::kTextTableB[language][entry].empty())
          << "B[" << language << "][" << entry << "]";
    }
    EXPECT_EQ(ui::kTextTableA[language][ui::kTitleProduct], "TAVELIN");
  }
}

struct ExactEntry {
  int language;
  int entry;
  std::string_view text;
};

TEST(TextTables, TableAKeepsItsBlanksFullStopsAndSpellings) {
  const ExactEntry cases[] = {
      {ui::kEnglish, 9, " Firmware Update."},
      {ui::kEnglish, 19, "This firmware update is for "},
      {ui::kEnglish, 20, ". To update the firmware of your TAVELIN, please visit:"},
      {ui::kFrench, 11, "est détectée. Cet outil de mise à jour du micrologiciel est pour l'"},
      {ui::kGerman, 8, ". Bitte schließen Sie das"},
      {ui::kGerman, 18, " wieder an."},
      {ui::kGerman, 19, "Dieses Firmware Aktualisierung ist für "},
      {ui::kJapanese, 15, "アップデート中……"},
      {ui::kJapanese, 16, "ファームウェアアップデート完了。現在のファームウェアバージョンは："},
      {ui::kItalian, 1, "Aggiormamento firmware"},
      {ui::kItalian, 17, ". Per favore disconetti e riconetti la tua"},
      {ui::kDutch, 18, " eerst los en sluit het vervolgens weer aan."},
      {ui::kDutch, 6, "Updaten"},
  };
  for (const ExactEntry& c : cases) {
    EXPECT_EQ(ui::kTextTableA[c.language][c.entry], c.text) << c.language << "/" << c.entry;
  }
}

TEST(TextTables, TableBKeepsItsTextsAndTheTypographicApostrophe) {
  const ExactEntry cases[] = {
      {ui::kEnglish, ui::kConfirmBeforeModel, "Please do not disconnect your"},
      {ui::kEnglish, ui::kConfirmAfterModel, "or power off your computer during the process."},
      {ui::kFrench, ui::kConfirmAfterModel,
       "ou éteindre votre ordinateur pendant le processus d\u2019intallation."},
      {ui::kGerman, ui::kConfirmCancel, "Abbrechen"},
      {ui::kJapanese, ui::kConfirmOk, "はい"},
      {ui::kJapanese, ui::kConfirmCancel, "いいえ"},
      {ui::kItalian, ui::kConfirmCancel, "Cancella"},
      {ui::kDutch, ui::kConfirmHeading, "Bent u bereid om door te gaan?"},
  };
  for (const ExactEntry& c : cases) {
    EXPECT_EQ(ui::kTextTableB[c.language][c.entry], c.text) << c.language << "/" << c.entry;
  }
}

}  // namespace
