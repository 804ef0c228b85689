#pragma once
// The text a setting scan passes over: "//" and "/*" comments and the branches that
// "#if 0", "#if 1" and "#else" switch off. There is no nesting of the "#if" lines.

#include <cstddef>
#include <string_view>

namespace settings {

class IgnoredTextSkipper {
 public:
  // One skipper serves one conversion, so an "#if 1" left open in one text never reaches the
  // next one.
  explicit IgnoredTextSkipper(std::string_view text) : text_(text) {}

  // The first position at or after `pos` that is not inside a comment or a switched-off branch
  // (the text's length when the rest is ignored). Passing over an "#if 1", an "#else" with no
  // "#if 1" before it, or an "#endif" leaves `pos` where it is: those lines are ordinary text.
  std::size_t Skip(std::size_t pos);

  // Where the last switched-off branch ended (0 before any): a table's declaration never reaches
  // back into one, so a disabled table cannot lend its type or name to the next one.
  std::size_t SkippedBranchEnd() const { return skippedBranchEnd_; }

 private:
  bool StartsWith(std::size_t pos, std::string_view word) const;
  std::size_t LineCommentEnd(std::size_t pos) const;
  std::size_t BlockCommentEnd(std::size_t pos) const;
  // The position just past the first "#" + word (one of the given ones) at or after `pos`, or the
  // text's length; `which` tells the word found (0 or 1), -1 when none was.
  std::size_t PastDirective(std::size_t pos, std::string_view first, std::string_view second,
                            int& which) const;
  // Applies the preprocessor rule at the "#" at `pos`; returns the new position.
  std::size_t Directive(std::size_t pos);

  std::string_view text_;
  bool ifOneArmed_ = false;  // an "#if 1" was read and its "#else" would switch text off
  std::size_t skippedBranchEnd_ = 0;
};

}  // namespace settings
