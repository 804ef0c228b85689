#pragma once
// Data exchange between a dialog's members and its controls: push copies every bound member to
// its control, pull copies every control back into its member.

#include <string>
#include <vector>

#include "ui/window/dialog_window.h"

namespace ui::window {

class TextExchange {
 public:
  // The members must outlive the exchange.
  void BindText(int controlId, std::string& member);
  void BindCheck(int controlId, bool& member);

  void Push(DialogWindow& window) const;
  void Pull(DialogWindow& window) const;

 private:
  struct TextBinding {
    int controlId;
    std::string* member;
  };
  struct CheckBinding {
    int controlId;
    bool* member;
  };
  std::vector<TextBinding> texts_;
  std::vector<CheckBinding> checks_;
};

}  // namespace ui::window
