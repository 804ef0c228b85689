#include "ui/updater/confirm_dialog.h"

#include "ui/status_texts.h"
#include "ui/text_table_b.h"
#include "ui/updater/confirm_dialog_template.h"
#include "ui/updater/interface_data.h"
#include "ui/updater/main_dialog.h"
#include "ui/updater/tool_icons.h"

namespace ui {
namespace {

const window::FontDescription kHeadingFont{"Segoe UI", 130, true};

}  // namespace

Update& TheConfirmationDialog() {
  static Update dialog;
  return dialog;
}

int Update::Run(CTarn_Download_OnlyDlg& owner, window::DialogWindow& ownerWindow) {
  owner_ = &owner;
  const int result = ownerWindow.RunModalChild(ConfirmDialogTemplate(), *this);
  window_ = nullptr;
  owner_ = nullptr;
  return result;
}

void Update::Close(int result) {
  if (window_ != nullptr) window_->EndDialog(result);
}

void Update::OnInitDialog(window::DialogWindow& window) {
  window_ = &window;
  static const window::Picture picture = ConfirmationPicture();
  window.SetPicture(kConfirmPicture, picture, kConfirmationPictureShownSize);
  const Language language = Interface().language;
  window.SetText(kConfirmHeadingText, kTextTableB[language][kConfirmHeading]);
  window.SetFont(kConfirmHeadingText, kHeadingFont);
  window.SetText(kConfirmWarningText, ConfirmationWarningText(language, Interface().modelName));
  window.SetText(kConfirmCancelButton, kTextTableB[language][kConfirmCancel]);
  window.SetText(kConfirmOkButton, kTextTableB[language][kConfirmOk]);
}

bool Update::OnCommand(window::DialogWindow& window, int controlId) {
  if (controlId == kConfirmCancelButton) {
    window.EndDialog(window::kResultCancel);
    return true;
  }
  if (controlId == kConfirmOkButton) {
    // The update starts while the confirmation's run is ending, its message boxes owned by
    // the main dialog.
    CTarn_Download_OnlyDlg* owner = owner_;
    window.EndDialog(window::kResultCancel);
    if (owner != nullptr) owner->StartUpdate();
    return true;
  }
  return false;
}

}  // namespace ui
