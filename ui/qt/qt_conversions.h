#pragma once
// The window layer's text forms in the forms Qt takes.

#include <QString>
#include <string_view>

namespace ui::qt {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Firmware File(*.bin)|*.bin||" → "Firmware File(*.bin) (*.bin)"; pairs joined by ";;".
QString ToQtFileFilter(std::string_view filter);

// Link markup → rich text with the one anchor, everything else escaped.
QString LinkMarkupToRichText(std::string_view markup);

}  // namespace ui::qt
