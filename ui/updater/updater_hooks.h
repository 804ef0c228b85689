#pragma once
// What the program around the updater's dialogs supplies: where device-change notices come
// from, and, for tests and the demo, the language and the directory the image is looked for
// in.

#include <functional>
#include <string>

#include "ui/language.h"
#include "ui/window/dialog_window.h"

namespace ui {

struct UpdaterHooks {
  // The main window exists and is about to run its first detection pass: start posting
  // device-change notices to it (DialogWindow::PostDeviceChange, from any thread).
  std::function<void(window::DialogWindow&)> mainWindowReady;
  // The main window has closed: stop posting to it.
  std::function<void()> mainWindowClosed;
  // Empty: the user's locale decides.
  std::function<Language()> chooseLanguage;
  // The directory the detection looks for "*.bin" in. Empty: the process's current directory.
  std::function<std::string()> currentDirectory;
};

}  // namespace ui
