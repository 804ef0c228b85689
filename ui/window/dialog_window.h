#pragma once
// A dialog as its handler sees it while it runs. All calls but Post and PostDeviceChange belong
// on the user-interface thread. Control ids that the template does not have are ignored
// (readers give empty values), as the toolkit ignores messages to missing controls.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/window/dialog_template.h"
#include "ui/window/font_description.h"
#include "ui/window/geometry.h"
#include "ui/window/message_box.h"
#include "ui/window/picture.h"
#include "ui/window/ring_surface.h"

namespace ui::window {

class DialogHandler;

class DialogWindow {
 public:
  virtual ~DialogWindow() = default;

  // Controls. Texts are UTF-8; a link control's text is link markup.
  virtual void SetText(int controlId, std::string_view text) = 0;
  virtual std::string Text(int controlId) const = 0;
  virtual void SetChecked(int controlId, bool checked) = 0;
  virtual bool IsChecked(int controlId) const = 0;
  virtual void Show(int controlId, bool visible) = 0;
  virtual bool IsVisible(int controlId) const = 0;
  virtual void Enable(int controlId, bool enabled) = 0;
  virtual bool IsEnabled(int controlId) const = 0;
  virtual void Move(int controlId, const PixelRect& rect) = 0;  // client pixels
  virtual PixelRect Rect(int controlId) const = 0;
  virtual void SetFont(int controlId, const FontDescription& font) = 0;
  virtual void SetProgressRange(int controlId, int low, int high) = 0;
  virtual void SetProgressPosition(int controlId, int position) = 0;
  // An Icon control shows picture scaled to size × size pixels.
  virtual void SetPicture(int controlId, const Picture& picture, int size) = 0;
  // The ring surface of a RingSurface control; null for any other id.
  virtual RingSurface* Ring(int controlId) = 0;

  // The window.
  // Its icon in the title bar, the task bar and when minimised; sizes holds the same artwork
  // at several sizes for the desktop to choose from.
  virtual void SetWindowIcon(const std::vector<Picture>& sizes) = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual std::string Title() const = 0;
  virtual void Resize(const PixelSize& size) = 0;  // outer size; the position stays
  virtual void MoveTo(int x, int y) = 0;           // screen position; the size stays
  virtual PixelSize Size() const = 0;
  // s = the screen's logical dots per inch ÷ 96.
  virtual double ScaleFactor() const = 0;
  // Repaints the whole dialog with its background erased, then calls OnPaint.
  virtual void Invalidate() = 0;
  // Ends the modal run with result once the current handler call returns.
  virtual void EndDialog(int result) = 0;

  // Timers by id; setting a running timer again restarts its interval.
  virtual void SetTimer(int timerId, uint32_t intervalMs) = 0;
  virtual void KillTimer(int timerId) = 0;

  // From any thread; delivered on the user-interface thread in the order posted.
  virtual void Post(uint32_t message, uint32_t wParam, int32_t lParam) = 0;
  virtual void PostDeviceChange() = 0;

  // Modal interactions, owned by this dialog.
  virtual DialogResult ShowMessageBox(const MessageBoxRequest& request) = 0;
  // The chosen file's full path, or nothing when the user cancels. filter is in the
  // toolkit's form (file_filter.h).
  virtual std::optional<std::string> ShowOpenFileDialog(std::string_view filter) = 0;
  // Runs a child dialog modally and returns the result it ended with.
  virtual int RunModalChild(const DialogTemplate& dialog, DialogHandler& handler) = 0;
  // Opens an address with the desktop's handler; failures are not reported.
  virtual void OpenUrl(std::string_view url) = 0;
};

}  // namespace ui::window
