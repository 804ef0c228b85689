#pragma once
// A dialog handler that writes down every call, and a small template to run it on.

#include <functional>
#include <string>
#include <vector>

#include "ui/window/dialog_handler.h"
#include "ui/window/dialog_template.h"
#include "ui/window/dialog_window.h"

namespace ui_window_test {

namespace window = ui::window;

// Ids of the test template's controls.
enum : int {
  kStatus = 1004,
  kHiddenButton = 1001,
  kBrowse = 1000,
  kCheck = 1019,
  kLink = 1060,
  kProgress = 1002,
  kRing = 1044,
};

inline window::DialogTemplate TestTemplate(int id = 102) {
  using window::ControlKind;
  window::DialogTemplate dialog;
  dialog.id = id;
  dialog.width = 100;
  dialog.height = 80;
  dialog.caption = "Template caption";
  dialog.font = {"Segoe UI", 110, false};
  dialog.controls = {
      {kStatus,
       ControlKind::Static,
       "Status Message",
       window::kVisible | window::kCentred,
       {16, 15, 165, 24}},
      {kHiddenButton, ControlKind::PushButton, "Update", 0, {76, 36, 70, 10}},
      {kBrowse,
       ControlKind::PushButton,
       "Browse",
       window::kVisible | window::kTabStop | window::kDefaultButton,
       {210, 73, 50, 10}},
      {kCheck,
       ControlKind::CheckBox,
       "Dump bin file",
       window::kVisible | window::kTabStop,
       {7, 327, 80, 10}},
      {kLink, ControlKind::Link, "", 0, {7, 7, 60, 14}},
      {kProgress, ControlKind::ProgressBar, "", window::kBorder, {7, 178, 307, 10}},
      {kRing, ControlKind::RingSurface, "", 0, {49, 7, 101, 69}},
  };
  return dialog;
}

class RecordingHandler : public window::DialogHandler {
 public:
  void OnInitDialog(window::DialogWindow& window) override {
    calls.push_back("init");
    if (onInit) onInit(window);
  }
  bool OnCommand(window::DialogWindow& window, int controlId) override {
    calls.push_back("command " + std::to_string(controlId));
    if (onCommand) return onCommand(window, controlId);
    return false;
  }
  void OnTimer(window::DialogWindow& window, int timerId) override {
    calls.push_back("timer " + std::to_string(timerId));
    if (onTimer) onTimer(window, timerId);
  }
  void OnMessage(window::DialogWindow&, uint32_t message, uint32_t wParam,
                 int32_t lParam) override {
    calls.push_back("message " + std::to_string(message) + " " + std::to_string(wParam) + " " +
                    std::to_string(lParam));
  }
  void OnDeviceChange(window::DialogWindow& window) override {
    calls.push_back("device change");
    if (onDeviceChange) onDeviceChange(window);
  }
  void OnLinkClick(window::DialogWindow&, int controlId, const std::string& url) override {
    calls.push_back("link " + std::to_string(controlId) + " " + url);
  }
  void OnPaint(window::DialogWindow& window) override {
    calls.push_back("paint");
    if (onPaint) onPaint(window);
  }

  std::vector<std::string> calls;
  std::function<void(window::DialogWindow&)> onInit;
  std::function<bool(window::DialogWindow&, int)> onCommand;
  std::function<void(window::DialogWindow&, int)> onTimer;
  std::function<void(window::DialogWindow&)> onDeviceChange;
  std::function<void(window::DialogWindow&)> onPaint;
};

}  // namespace ui_window_test
