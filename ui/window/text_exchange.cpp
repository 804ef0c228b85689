#include "ui/window/text_exchange.h"

namespace ui::window {

void TextExchange::BindText(int controlId, std::string& member) {
  texts_.push_back({controlId, &member});
}

void TextExchange::BindCheck(int controlId, bool& member) {
  checks_.push_back({controlId, &member});
}

void TextExchange::Push(DialogWindow& window) const {
  for (const TextBinding& binding : texts_) window.SetText(binding.controlId, *binding.member);
  for (const CheckBinding& binding : checks_) {
    window.SetChecked(binding.controlId, *binding.member);
  }
}

void TextExchange::Pull(DialogWindow& window) const {
  for (const TextBinding& binding : texts_) *binding.member = window.Text(binding.controlId);
  for (const CheckBinding& binding : checks_) *binding.member = window.IsChecked(binding.controlId);
}

}  // namespace ui::window
