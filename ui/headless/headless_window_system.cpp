#include "ui/headless/headless_window_system.h"

namespace ui::headless {

void HeadlessWindowSystem::ScriptDialog(int templateId, Script script) {
  scripts_[templateId].push_back(std::move(script));
}

void HeadlessWindowSystem::AnswerMessageBox(window::DialogResult answer) {
  messageBoxAnswers_.push_back(answer);
}

void HeadlessWindowSystem::AnswerOpenFile(std::optional<std::string> path) {
  openFileAnswers_.push_back(std::move(path));
}

std::unique_ptr<HeadlessDialog> HeadlessWindowSystem::Open(const window::DialogTemplate& dialog,
                                                           window::DialogHandler& handler) {
  auto opened = std::make_unique<HeadlessDialog>(*this, dialog, handler);
  opened->Initialise();
  return opened;
}

int HeadlessWindowSystem::RunModal(const window::DialogTemplate& dialog,
                                   window::DialogHandler& handler) {
  modalRuns_.push_back(dialog.id);
  std::unique_ptr<HeadlessDialog> running = Open(dialog, handler);
  if (!running->IsEnded()) {
    auto& queue = scripts_[dialog.id];
    if (queue.empty()) {
      running->PressEscape();
    } else {
      Script script = std::move(queue.front());
      queue.pop_front();
      script(*running);
    }
  }
  return running->Result().value_or(-1);
}

void HeadlessWindowSystem::AdvanceTime(uint32_t ms) {
  timers_.Advance(ms, [this](const HeadlessTimers::Key& key) {
    auto* dialog = static_cast<HeadlessDialog*>(const_cast<void*>(key.first));
    if (open_.count(dialog) != 0) dialog->DeliverTimer(key.second);
  });
}

int HeadlessWindowSystem::DeliverPosted() {
  int delivered = 0;
  for (;;) {
    Posted next{};
    {
      std::lock_guard<std::mutex> guard(postedLock_);
      if (posted_.empty()) break;
      next = posted_.front();
      posted_.pop_front();
    }
    // A message to a window that is gone is lost, as it would be on a desktop.
    if (open_.count(next.dialog) == 0) continue;
    ++delivered;
    if (next.deviceChange) {
      next.dialog->DeliverDeviceChange();
    } else {
      next.dialog->DeliverMessage(next.message, next.wParam, next.lParam);
    }
  }
  // A copy: painting may open or close dialogs.
  const std::set<HeadlessDialog*> dialogs = open_;
  for (HeadlessDialog* dialog : dialogs) {
    if (open_.count(dialog) != 0) dialog->PaintIfPending();
  }
  return delivered;
}

void HeadlessWindowSystem::Register(HeadlessDialog* dialog) {
  open_.insert(dialog);
}

void HeadlessWindowSystem::Unregister(HeadlessDialog* dialog) {
  open_.erase(dialog);
  timers_.KillAllOf(dialog);
}

void HeadlessWindowSystem::SetTimer(HeadlessDialog* dialog, int timerId, uint32_t intervalMs) {
  timers_.Set({dialog, timerId}, intervalMs);
}

void HeadlessWindowSystem::KillTimer(HeadlessDialog* dialog, int timerId) {
  timers_.Kill({dialog, timerId});
}

std::optional<uint32_t> HeadlessWindowSystem::TimerInterval(const HeadlessDialog* dialog,
                                                            int timerId) const {
  return timers_.Interval({dialog, timerId});
}

void HeadlessWindowSystem::Enqueue(HeadlessDialog* dialog, bool deviceChange, uint32_t message,
                                   uint32_t wParam, int32_t lParam) {
  std::lock_guard<std::mutex> guard(postedLock_);
  posted_.push_back({dialog, deviceChange, message, wParam, lParam});
}

window::DialogResult HeadlessWindowSystem::ShowMessageBox(
    const window::MessageBoxRequest& request) {
  messageBoxes_.push_back(request);
  if (messageBoxAnswers_.empty()) return window::kResultOk;
  const window::DialogResult answer = messageBoxAnswers_.front();
  messageBoxAnswers_.pop_front();
  // An OK-only box cannot answer Cancel.
  return request.buttons == window::MessageBoxButtons::Ok ? window::kResultOk : answer;
}

std::optional<std::string> HeadlessWindowSystem::ShowOpenFileDialog(std::string_view filter) {
  fileFilters_.emplace_back(filter);
  if (openFileAnswers_.empty()) return std::nullopt;
  std::optional<std::string> answer = std::move(openFileAnswers_.front());
  openFileAnswers_.pop_front();
  return answer;
}

}  // namespace ui::headless
