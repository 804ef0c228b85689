#include "settings/ignored_text.h"

namespace settings {

bool IgnoredTextSkipper::StartsWith(std::size_t pos, std::string_view word) const {
  return pos <= text_.size() && text_.substr(pos).starts_with(word);
}

// A "//" comment runs to the end of its line. Both line ends count, so a text saved with bare
// line feeds does not lose everything after its first "//" comment.
std::size_t IgnoredTextSkipper::LineCommentEnd(std::size_t pos) const {
  const std::size_t lineEnd = text_.find_first_of("\r\n", pos + 2);
  if (lineEnd == std::string_view::npos) return text_.size();
  if (text_[lineEnd] == '\r' && lineEnd + 1 < text_.size() && text_[lineEnd + 1] == '\n') {
    return lineEnd + 2;
  }
  return lineEnd + 1;
}

// A "/*" comment ends at its "*/"; a lone "*" or "/" inside it does not end it.
std::size_t IgnoredTextSkipper::BlockCommentEnd(std::size_t pos) const {
  const std::size_t close = text_.find("*/", pos + 2);
  return close == std::string_view::npos ? text_.size() : close + 2;
}

std::size_t IgnoredTextSkipper::PastDirective(std::size_t pos, std::string_view first,
                                              std::string_view second, int& which) const {
  for (std::size_t hash = text_.find('#', pos); hash != std::string_view::npos;
       hash = text_.find('#', hash + 1)) {
    if (StartsWith(hash + 1, first)) {
      which = 0;
      return hash + 1 + first.size();
    }
    if (!second.empty() && StartsWith(hash + 1, second)) {
      which = 1;
      return hash + 1 + second.size();
    }
  }
  which = -1;
  return text_.size();
}

std::size_t IgnoredTextSkipper::Directive(std::size_t pos) {
  int which = -1;
  if (StartsWith(pos + 1, "if 0")) {
    // Switched off up to "#else" (whose branch is read) or "#endif".
    const std::size_t resume = PastDirective(pos + 5, "else", "endif", which);
    skippedBranchEnd_ = resume;
    return resume;
  }
  if (StartsWith(pos + 1, "if 1")) {
    ifOneArmed_ = true;
    return pos;
  }
  if (StartsWith(pos + 1, "else") && ifOneArmed_) {
    // The "#else" of an "#if 1": switched off up to and including "#endif".
    ifOneArmed_ = false;
    const std::size_t resume = PastDirective(pos + 5, "endif", {}, which);
    skippedBranchEnd_ = resume;
    return resume;
  }
  if (StartsWith(pos + 1, "endif")) ifOneArmed_ = false;
  return pos;
}

std::size_t IgnoredTextSkipper::Skip(std::size_t pos) {
  while (pos < text_.size()) {
    std::size_t next = pos;
    if (text_[pos] == '/' && StartsWith(pos + 1, "/")) {
      next = LineCommentEnd(pos);
    } else if (text_[pos] == '/' && StartsWith(pos + 1, "*")) {
      next = BlockCommentEnd(pos);
    } else if (text_[pos] == '#') {
      next = Directive(pos);
    }
    if (next == pos) return pos;
    pos = next;
  }
  return text_.size();
}

}  // namespace settings
