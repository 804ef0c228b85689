#include "ui/qt/qt_conversions.h"

#include <QStringList>

#include "ui/window/file_filter.h"
#include "ui/window/link_markup.h"

namespace ui::qt {

QString ToQtFileFilter(std::string_view filter) {
  QStringList pairs;
  for (const window::FileFilter& one : window::ParseFileFilter(filter)) {
    QStringList patterns;
    for (const std::string& pattern : one.patterns) patterns << ToQString(pattern);
    pairs << ToQString(one.description) + " (" + patterns.join(' ') + ")";
  }
  return pairs.join(";;");
}

QString LinkMarkupToRichText(std::string_view markup) {
  const window::LinkMarkup link = window::ParseLinkMarkup(markup);
  QString rich = ToQString(link.before).toHtmlEscaped();
  if (link.hasAnchor) {
    rich += "<a href=\"" + ToQString(link.url).toHtmlEscaped() + "\">" +
            ToQString(link.anchorText).toHtmlEscaped() + "</a>";
  }
  rich += ToQString(link.after).toHtmlEscaped();
  return rich;
}

}  // namespace ui::qt
