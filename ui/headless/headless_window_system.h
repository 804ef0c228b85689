#pragma once
// The window layer for tests: deterministic, single-threaded apart from posting. Modal dialogs
// run the script a test gave for their template; message boxes and open-file dialogs take
// scripted answers; timers run on a virtual clock that only the test moves; posted messages
// wait until the test delivers them. Everything shown is recorded.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/headless/headless_dialog.h"
#include "ui/headless/headless_timers.h"
#include "ui/window/dialog_units.h"
#include "ui/window/window_system.h"

namespace ui::headless {

class HeadlessWindowSystem final : public window::WindowSystem {
 public:
  using Script = std::function<void(HeadlessDialog&)>;

  // --- Set-up. ---
  // The screen's logical dots per inch (96 by default).
  void SetLogicalDpi(int dpi) { dpi_ = dpi; }
  int LogicalDpi() const { return dpi_; }
  // The dialog font's measures that dialog units map with (7 × 15 pixels by default).
  void SetFontMetrics(const window::FontMetrics& metrics) { metrics_ = metrics; }
  const window::FontMetrics& Metrics() const { return metrics_; }

  // The next modal run of template templateId calls script once the dialog is initialised; a
  // dialog still running when its script returns ends with -1. A modal run without a script
  // is cancelled at once, as Escape would.
  void ScriptDialog(int templateId, Script script);
  // Answers for the next message boxes, in order; without one a box gets OK, its default.
  void AnswerMessageBox(window::DialogResult answer);
  // Answers for the next open-file dialogs, in order; without one the user cancels.
  void AnswerOpenFile(std::optional<std::string> path);

  // --- Running. ---
  // A dialog that stays open until the returned object goes; for step-by-step tests.
  std::unique_ptr<HeadlessDialog> Open(const window::DialogTemplate& dialog,
                                       window::DialogHandler& handler);
  int RunModal(const window::DialogTemplate& dialog, window::DialogHandler& handler) override;

  // Moves the virtual clock and fires the timers of every open dialog that come due.
  void AdvanceTime(uint32_t ms);
  uint64_t Now() const { return timers_.Now(); }
  // Delivers the posted messages and device-change notices in order, including those posted
  // meanwhile, then the pending repaints. Returns how many messages and notices it delivered.
  int DeliverPosted();

  // --- Records. ---
  const std::vector<window::MessageBoxRequest>& MessageBoxes() const { return messageBoxes_; }
  const std::vector<std::string>& FileFilters() const { return fileFilters_; }
  const std::vector<std::string>& OpenedUrls() const { return openedUrls_; }
  // Template ids of the modal runs, in the order they started.
  const std::vector<int>& ModalRuns() const { return modalRuns_; }

  // --- For HeadlessDialog. ---
  void Register(HeadlessDialog* dialog);
  void Unregister(HeadlessDialog* dialog);
  void SetTimer(HeadlessDialog* dialog, int timerId, uint32_t intervalMs);
  void KillTimer(HeadlessDialog* dialog, int timerId);
  std::optional<uint32_t> TimerInterval(const HeadlessDialog* dialog, int timerId) const;
  void Enqueue(HeadlessDialog* dialog, bool deviceChange, uint32_t message, uint32_t wParam,
               int32_t lParam);
  window::DialogResult ShowMessageBox(const window::MessageBoxRequest& request);
  std::optional<std::string> ShowOpenFileDialog(std::string_view filter);
  void OpenUrl(std::string_view url) { openedUrls_.emplace_back(url); }

 private:
  struct Posted {
    HeadlessDialog* dialog;
    bool deviceChange;
    uint32_t message;
    uint32_t wParam;
    int32_t lParam;
  };

  int dpi_ = 96;
  window::FontMetrics metrics_{7, 15};
  std::map<int, std::deque<Script>> scripts_;
  std::deque<window::DialogResult> messageBoxAnswers_;
  std::deque<std::optional<std::string>> openFileAnswers_;
  std::vector<window::MessageBoxRequest> messageBoxes_;
  std::vector<std::string> fileFilters_;
  std::vector<std::string> openedUrls_;
  std::vector<int> modalRuns_;
  std::set<HeadlessDialog*> open_;
  HeadlessTimers timers_;
  std::mutex postedLock_;  // Enqueue may run on any thread
  std::deque<Posted> posted_;
};

}  // namespace ui::headless
