// The composed status texts, written out by hand from the table entries: the blanks the
// compositions add, the ones the entries and the device model names bring, and the orders that
// differ by language.

#include "ui/status_texts.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

namespace {

using ui::Language;

constexpr std::string_view kModel = "TAVELIN Q2";    // what FormModelName gives
constexpr std::string_view kDevice = "TAVELIN Q2 ";  // the camera's, trailing blank included
constexpr std::string_view kDeviceQ = "TAVELIN Q ";  // a TAVELIN Q camera's

struct TextCase {
  Language language;
  std::string actual;
  std::string_view expected;
};

void ExpectTexts(const std::initializer_list<TextCase>& cases) {
  for (const TextCase& c : cases) {
    EXPECT_EQ(c.actual, c.expected) << "language " << c.language;
  }
}

TEST(StatusTexts, ModelNameAndDownloadLink) {
  EXPECT_EQ(ui::FormModelName(), "TAVELIN Q2");
  EXPECT_EQ(ui::DownloadLinkMarkup(),
            "<a href=\"www.tavelin.com/downloads\">www.tavelin.com/downloads</a>");
}

TEST(StatusTexts, WindowTitlePutsTheToolFirstInFrenchAndItalian) {
  ExpectTexts({
      {ui::kEnglish, ui::ComposeWindowTitle(ui::kEnglish), "TAVELIN Q2 Firmware Update"},
      {ui::kFrench, ui::ComposeWindowTitle(ui::kFrench),
       "Outil de mise à jour du micrologiciel TAVELIN Q2"},
      {ui::kGerman, ui::ComposeWindowTitle(ui::kGerman), "TAVELIN Q2 Firmware aktualisieren"},
      {ui::kJapanese, ui::ComposeWindowTitle(ui::kJapanese),
       "TAVELIN Q2 ファームウェアアップデート"},
      {ui::kItalian, ui::ComposeWindowTitle(ui::kItalian), "Aggiormamento firmware TAVELIN Q2"},
      {ui::kDutch, ui::ComposeWindowTitle(ui::kDutch), "TAVELIN Q2 Firmware Updaten"},
  });
}

TEST(StatusTexts, PleaseConnectInEveryLanguage) {
  const auto text = [](Language language) { return ui::PleaseConnectText(language, kModel); };
  ExpectTexts({
      {ui::kEnglish, text(ui::kEnglish), "Please connect your TAVELIN Q2."},
      {ui::kFrench, text(ui::kFrench), "Veuillez connecter votre TAVELIN Q2."},
      // Two blanks before "an.", as the dialog has always shown it.
      {ui::kGerman, text(ui::kGerman), "Bitte schließen Sie Ihr TAVELIN Q2  an."},
      {ui::kJapanese, text(ui::kJapanese), "TAVELIN Q2 を接続してください。"},
      {ui::kItalian, text(ui::kItalian), "Per favore connetti la tua TAVELIN Q2."},
      {ui::kDutch, text(ui::kDutch), "Sluit uw TAVELIN Q2 aan alstublieft."},
  });
}

// The device model name's trailing blank doubles the blank after it; the Japanese opening entry
// is empty, so that text starts with the blank that follows it.
TEST(StatusTexts, UpToDateInEveryLanguage) {
  const auto text = [](Language language) { return ui::UpToDateText(language, kDevice, 0x0102); };
  ExpectTexts({
      {ui::kEnglish, text(ui::kEnglish),
       "Your TAVELIN Q2  is already up to date v0102. Please close the TAVELIN Q2  Firmware "
       "Update."},
      {ui::kFrench, text(ui::kFrench),
       "Votre TAVELIN Q2  est déjà à jour v0102. Veuillez fermer l'Outil de mise à jour du "
       "micrologiciel TAVELIN Q2 ."},
      {ui::kGerman, text(ui::kGerman),
       "Ihre TAVELIN Q2  ist bereits auf dem Stand v0102. Bitte schließen Sie das TAVELIN Q2  "
       "Firmware Aktualisierung."},
      {ui::kJapanese, text(ui::kJapanese),
       " TAVELIN Q2  はすでに最新版： v0102です。 TAVELIN Q2  "
       "ファームウェアアップデートを閉じてください。"},
      {ui::kItalian, text(ui::kItalian),
       "La tua TAVELIN Q2  è già aggiornata v0102. Per favore chiudi gli aggiornamenti firmware "
       "di TAVELIN Q2 ."},
      {ui::kDutch, text(ui::kDutch),
       "Uw TAVELIN Q2  is al up-to-date v0102. U kunt de TAVELIN Q2  Firmware Update sluiten."},
  });
}

TEST(StatusTexts, UpdateAvailableInEveryLanguage) {
  const auto text = [](Language language) {
    return ui::UpdateAvailableText(language, kDevice, 0x0105, 0x0102);
  };
  ExpectTexts({
      {ui::kEnglish, text(ui::kEnglish),
       "Your TAVELIN Q2  is ready to receive an update.\n A new firmware version is available "
       "v0105. The current version is v0102."},
      {ui::kFrench, text(ui::kFrench),
       "Votre TAVELIN Q2  est prête à recevoir une mise à jour.\n Une nouvelle version du "
       "micrologiciel est disponible v0105. La version actuelle est v0102."},
      {ui::kGerman, text(ui::kGerman),
       "Ihre TAVELIN Q2  ist bereit, eine Aktualisierung zu erhalten.\n Eine neue "
       "Firmware-Version ist verfügbar v0105. Die aktuelle Version ist v0102."},
      // No blanks, full-width brackets and an ideographic full stop; the empty opening entry
      // leaves the model name first.
      {ui::kJapanese, text(ui::kJapanese),
       "TAVELIN Q2 はアップデートの準備が整いました。\n"
       "最新版のファームウェアバージョン（v0105）。現在のバージョンv0102。"},
      {ui::kItalian, text(ui::kItalian),
       "La tua TAVELIN Q2  è pronta per ricevere l'aggiornamento.\n Una nuova versione del "
       "firmware è disponibile v0105. La versione attuale è v0102."},
      {ui::kDutch, text(ui::kDutch),
       "Uw TAVELIN Q2  is gereed voor het installeren van de update.\n Een nieuwe firmware "
       "versie is beschikbaar v0105. De huidige versie is v0102."},
  });
}

TEST(StatusTexts, OtherModelPutsTheModelFirstInJapanese) {
  const auto text = [](Language language) { return ui::OtherModelText(language, kModel); };
  ExpectTexts({
      {ui::kEnglish, text(ui::kEnglish),
       "This firmware update is for TAVELIN Q2. To update the firmware of your TAVELIN, please "
       "visit:"},
      {ui::kFrench, text(ui::kFrench),
       "Cet outil de mise à jour du micrologiciel est pour l'TAVELIN Q2. Pour mettre à jour le "
       "micrologiciel de votre TAVELIN, rendez-vous sur:"},
      {ui::kGerman, text(ui::kGerman),
       "Dieses Firmware Aktualisierung ist für TAVELIN Q2. Um die Firmware Ihrer TAVELIN zu "
       "aktualisieren, besuchen Sie bitte:"},
      {ui::kJapanese, text(ui::kJapanese),
       "TAVELIN Q2のファームウェアアップデートです。"
       "TAVELINのファームウェアを更新するには、このページをご覧ください："},
      {ui::kItalian, text(ui::kItalian),
       "Questo aggiornamento del firmware è per TAVELIN Q2. Per aggiornare il firmware della "
       "tua TAVELIN, per favore visita:"},
      {ui::kDutch, text(ui::kDutch),
       "Deze firmware update is voor TAVELIN Q2. Om de firmware van uw TAVELIN te updaten hier "
       "downloaden:"},
  });
}

TEST(StatusTexts, CompletionText) {
  ExpectTexts({
      {ui::kEnglish, ui::CompletionText(ui::kEnglish, 0x0105, kDevice),
       "Firmware update completed. Current firmware version: v0105. Please disconnect and "
       "reconnect your TAVELIN Q2 ."},
      {ui::kGerman, ui::CompletionText(ui::kGerman, 0x0105, kDevice),
       "Firmware Aktualisierung abgeschlossen. Aktuelle Firmware Version: v0105. Bitte trennen "
       "Sie die Verbindung und schließen Sie Ihre TAVELIN Q2  wieder an."},
      {ui::kJapanese, ui::CompletionText(ui::kJapanese, 0x0105, kDevice),
       "ファームウェアアップデート完了。現在のファームウェアバージョンは： v0105。一度 "
       "TAVELIN Q2 の接続を解除し、再接続してください。"},
      {ui::kDutch, ui::CompletionText(ui::kDutch, 0x0105, kDeviceQ),
       "Firmware update is voltooid. Huidige firmware versie: v0105. Koppel de TAVELIN Q  eerst "
       "los en sluit het vervolgens weer aan."},
  });
}

TEST(StatusTexts, ConfirmationWarning) {
  const auto text = [](Language language) { return ui::ConfirmationWarningText(language, kModel); };
  ExpectTexts({
      {ui::kEnglish, text(ui::kEnglish),
       "Please do not disconnect your TAVELIN Q2 or power off your computer during the "
       "process."},
      {ui::kFrench, text(ui::kFrench),
       "Veuillez ne pas déconnecter votre TAVELIN Q2 ou éteindre votre ordinateur pendant le "
       "processus d\u2019intallation."},
      {ui::kGerman, text(ui::kGerman),
       "Bitte trennen Sie während des Vorgangs nicht die Verbindung zu Ihrer TAVELIN Q2 und "
       "schalten Sie Ihren Computer nicht aus."},
      {ui::kJapanese, text(ui::kJapanese),
       "アップデート中に TAVELIN Q2 の接続解除とパソコンのシャットダウンをしないでください。"},
  });
}

// Versions print as four upper-case hex digits, zeros kept.
TEST(StatusTexts, VersionsPrintAsFourUpperCaseHexDigits) {
  EXPECT_EQ(ui::UpdateAvailableText(ui::kEnglish, kDeviceQ, 0xAB0F, 0x0009),
            "Your TAVELIN Q  is ready to receive an update.\n A new firmware version is "
            "available vAB0F. The current version is v0009.");
  EXPECT_EQ(ui::UpToDateText(ui::kGerman, kDeviceQ, 0xFFFF),
            "Ihre TAVELIN Q  ist bereits auf dem Stand vFFFF. Bitte schließen Sie das TAVELIN Q  "
            "Firmware Aktualisierung.");
  EXPECT_EQ(ui::CompletionText(ui::kEnglish, 0x0000, kDevice),
            "Firmware update completed. Current firmware version: v0000. Please disconnect and "
            "reconnect your TAVELIN Q2 .");
}

// UTF-16 code units of well-formed UTF-8: one per character, two for a character beyond the
// basic plane (a four-byte sequence).
int Utf16Units(std::string_view text) {
  int units = 0;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) ++units;  // a character starts here
    if ((byte & 0xF8) == 0xF0) ++units;  // and needs a surrogate pair
  }
  return units;
}

// The dialog composes into 260 UTF-16 code units with the terminating zero: with the longest
// names a camera gives, nothing would have been cut.
TEST(StatusTexts, EveryCompositionFitsTheDialogsBuffer) {
  constexpr int kBufferUnits = 260;
  const std::string model = ui::FormModelName();
  for (int column = 0; column < ui::kLanguageCount; ++column) {
    const auto language = static_cast<Language>(column);
    for (const std::string_view device : {kDeviceQ, kDevice}) {
      const std::string texts[] = {
          ui::ComposeWindowTitle(language),
          ui::PleaseConnectText(language, model),
          ui::UpToDateText(language, device, 0xFFFF),
          ui::UpdateAvailableText(language, device, 0xFFFF, 0xFFFF),
          ui::OtherModelText(language, model),
          ui::DownloadLinkMarkup(),
          ui::CompletionText(language, 0xFFFF, device),
          ui::ConfirmationWarningText(language, model),
      };
      for (const std::string& text : texts) {
        EXPECT_LT(Utf16Units(text), kBufferUnits) << "language " << column << ": " << text;
      }
    }
  }
}

}  // namespace
