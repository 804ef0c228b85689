#include "ui/status_texts.h"

#include <initializer_list>

#include "ui/text_table_a.h"
#include "ui/text_table_b.h"

namespace ui {
namespace {

// The pieces one after the other, as they stand: the table entries carry their own blanks and
// full stops, so a composition adds only the blanks between them.
std::string Join(std::initializer_list<std::string_view> pieces) {
  size_t size = 0;
  for (const std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (const std::string_view piece : pieces) text.append(piece);
  return text;
}

// A version as the texts print it: four upper-case hex digits, "0105".
std::string Hex4(uint16_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(4, '0');
  for (int i = 3; i >= 0; --i) {
    text[static_cast<size_t>(i)] = kDigits[value & 0xF];
    value = static_cast<uint16_t>(value >> 4);
  }
  return text;
}

// Entry e of table A, and of table B, in the given language.
std::string_view A(Language language, TextA entry) {
  return kTextTableA[language][entry];
}
std::string_view B(Language language, TextB entry) {
  return kTextTableB[language][entry];
}

}  // namespace

std::string FormModelName() {
  return Join({A(kEnglish, kTitleProduct), " Q2"});
}

std::string ComposeWindowTitle(Language language) {
  const std::string_view product = A(language, kTitleProduct);
  const std::string_view tool = A(language, kTitleTool);
  // French and Italian put the tool's name first: "Outil de mise à jour ... TAVELIN Q2".
  if (language == kFrench || language == kItalian) return Join({tool, " ", product, " Q2"});
  return Join({product, " Q2 ", tool});
}

std::string PleaseConnectText(Language language, std::string_view modelName) {
  const std::string_view connect = A(language, kStatusPleaseConnect);
  switch (language) {
    case kGerman:
      // "Bitte schließen Sie Ihr TAVELIN Q2  an.", two blanks before "an." as the dialog has it.
      return Join({connect, " ", modelName, "  an."});
    case kJapanese:
      return Join({modelName, " ", connect});
    case kDutch:
      return Join({connect, " ", modelName, " aan alstublieft."});
    case kEnglish:
    case kFrench:
    case kItalian:
      break;
  }
  return Join({connect, " ", modelName, "."});
}

std::string UpToDateText(Language language, std::string_view deviceModelName,
                         uint16_t deviceVersion) {
  return Join({A(language, kStatusYour), " ", deviceModelName, " ", A(language, kStatusUpToDate),
               " v", Hex4(deviceVersion), A(language, kStatusPleaseClose), " ", deviceModelName,
               A(language, kStatusToolClosing)});
}

std::string UpdateAvailableText(Language language, std::string_view deviceModelName,
                                uint16_t imageVersion, uint16_t deviceVersion) {
  const std::string image = Hex4(imageVersion);
  const std::string device = Hex4(deviceVersion);
  if (language == kJapanese) {
    // Full-width brackets around the new version and an ideographic full stop at the end.
    return Join({A(language, kStatusYour), deviceModelName, A(language, kStatusReady), "\n",
                 A(language, kStatusNewVersion), "（v", image, "）",
                 A(language, kStatusCurrentVersion), "v", device, "。"});
  }
  return Join({A(language, kStatusYour), " ", deviceModelName, " ", A(language, kStatusReady),
               "\n ", A(language, kStatusNewVersion), " v", image,
               A(language, kStatusCurrentVersion), " v", device, "."});
}

std::string OtherModelText(Language language, std::string_view modelName) {
  if (language == kJapanese) {
    return Join({modelName, A(language, kOtherModelIsFor), A(language, kOtherModelVisit)});
  }
  return Join({A(language, kOtherModelIsFor), modelName, A(language, kOtherModelVisit)});
}

std::string DownloadLinkMarkup() {
  return Join({"<a href=\"", kDownloadPageAddress, "\">", kDownloadPageAddress, "</a>"});
}

std::string CompletionText(Language language, uint16_t imageVersion,
                           std::string_view deviceModelName) {
  return Join({A(language, kRingCompleted), " v", Hex4(imageVersion), A(language, kRingReconnect),
               " ", deviceModelName, A(language, kRingReconnectEnd)});
}

std::string ConfirmationWarningText(Language language, std::string_view modelName) {
  return Join(
      {B(language, kConfirmBeforeModel), " ", modelName, " ", B(language, kConfirmAfterModel)});
}

}  // namespace ui
