#include "transfer/engine_messages.h"

#include <atomic>

#include "transfer/engine.h"

namespace transfer {
namespace {

std::atomic<MessageBoxes*> installed{nullptr};

}  // namespace

void SetMessageBoxes(MessageBoxes* boxes) {
  installed = boxes;
}

void Notify(TransferWindow* owner, std::string_view text, std::string_view caption) {
  if (MessageBoxes* boxes = installed.load()) {
    boxes->Show(owner, text, caption, MessageButtons::Ok, MessageIcon::None);
  }
}

bool AskOkCancel(TransferWindow* owner, std::string_view text, std::string_view caption) {
  MessageBoxes* boxes = installed.load();
  if (boxes == nullptr) return false;
  return boxes->Show(owner, text, caption, MessageButtons::OkCancel, MessageIcon::Warning) ==
         MessageAnswer::Ok;
}

}  // namespace transfer
