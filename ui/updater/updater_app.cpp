#include "ui/updater/updater_app.h"

#include "platform/services.h"
#include "ui/single_instance.h"
#include "ui/updater/main_dialog.h"
#include "ui/updater/main_dialog_template.h"

namespace ui {

CTarn_Download_OnlyApp::CTarn_Download_OnlyApp(WindowSystemFactory windows, UpdaterHooks hooks)
    : windows_(std::move(windows)), hooks_(std::move(hooks)) {}

bool CTarn_Download_OnlyApp::InitInstance() {
  endedAsSecondCopy_ = false;
  // Held until start-up returns, which is the end of the program.
  const SingleInstanceLock lock = SingleInstanceLock::Acquire(
      *platform::CurrentServices().mutexes, SingleInstanceMutexName(ReadSessionEnvironment()));
  if (lock.AnotherCopyRuns()) {
    endedAsSecondCopy_ = true;  // silently: no window, the other copy left alone
    return false;
  }
  const std::unique_ptr<window::WindowSystem> windows = windows_();
  {
    CTarn_Download_OnlyDlg dialog(hooks_);
    windows->RunModal(MainDialogTemplate(), dialog);
    dialog.Detach();
    if (hooks_.mainWindowClosed) hooks_.mainWindowClosed();
  }
  return false;
}

}  // namespace ui
