#pragma once
// A dialog without a screen: the handler drives it through DialogWindow, and a test drives it
// as a user would (clicks, Escape, repaints) and reads back every control's state.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/headless/headless_ring.h"
#include "ui/window/dialog_handler.h"
#include "ui/window/dialog_window.h"

namespace ui::headless {

class HeadlessWindowSystem;

class HeadlessDialog final : public window::DialogWindow {
 public:
  // Made by HeadlessWindowSystem::Open; the dialog's controls are created from the template.
  HeadlessDialog(HeadlessWindowSystem& system, const window::DialogTemplate& dialog,
                 window::DialogHandler& handler);
  ~HeadlessDialog() override;
  HeadlessDialog(const HeadlessDialog&) = delete;
  HeadlessDialog& operator=(const HeadlessDialog&) = delete;

  // --- What a user does. Each returns false when nothing happened. ---
  // A click on a visible, enabled button or check box (a check box toggles first).
  bool Click(int controlId);
  // The default button's command (the first visible, enabled one), else OK.
  bool PressEnter();
  // Escape and the close box both give Cancel.
  bool PressEscape();
  // A click on the anchor of a visible link control that has one.
  bool ClickLink(int controlId);
  // The window is uncovered: rings are erased and the handler paints.
  void Expose();

  // --- What a test reads back. ---
  const window::DialogTemplate& Template() const { return template_; }
  bool IsEnded() const { return result_.has_value(); }
  std::optional<int> Result() const { return result_; }
  std::optional<window::FontDescription> Font(int controlId) const;
  int ProgressLow(int controlId) const;
  int ProgressHigh(int controlId) const;
  int ProgressPosition(int controlId) const;
  const HeadlessRing* RingOf(int controlId) const;
  // The picture an Icon control shows and the size it is shown at; null when it has none.
  const window::Picture* PictureOf(int controlId) const;
  int PictureSize(int controlId) const;
  const std::vector<window::Picture>& WindowIcon() const { return windowIcon_; }
  std::optional<uint32_t> TimerInterval(int timerId) const;
  int PositionX() const { return x_; }
  int PositionY() const { return y_; }

  // --- DialogWindow ---
  void SetText(int controlId, std::string_view text) override;
  std::string Text(int controlId) const override;
  void SetChecked(int controlId, bool checked) override;
  bool IsChecked(int controlId) const override;
  void Show(int controlId, bool visible) override;
  bool IsVisible(int controlId) const override;
  void Enable(int controlId, bool enabled) override;
  bool IsEnabled(int controlId) const override;
  void Move(int controlId, const window::PixelRect& rect) override;
  window::PixelRect Rect(int controlId) const override;
  void SetFont(int controlId, const window::FontDescription& font) override;
  void SetProgressRange(int controlId, int low, int high) override;
  void SetProgressPosition(int controlId, int position) override;
  void SetPicture(int controlId, const window::Picture& picture, int size) override;
  window::RingSurface* Ring(int controlId) override;
  void SetWindowIcon(const std::vector<window::Picture>& sizes) override { windowIcon_ = sizes; }
  void SetTitle(std::string_view title) override;
  std::string Title() const override { return title_; }
  void Resize(const window::PixelSize& size) override { size_ = size; }
  void MoveTo(int x, int y) override;
  window::PixelSize Size() const override { return size_; }
  double ScaleFactor() const override;
  void Invalidate() override { paintPending_ = true; }
  void EndDialog(int result) override;
  void SetTimer(int timerId, uint32_t intervalMs) override;
  void KillTimer(int timerId) override;
  void Post(uint32_t message, uint32_t wParam, int32_t lParam) override;
  void PostDeviceChange() override;
  window::DialogResult ShowMessageBox(const window::MessageBoxRequest& request) override;
  std::optional<std::string> ShowOpenFileDialog(std::string_view filter) override;
  int RunModalChild(const window::DialogTemplate& dialog, window::DialogHandler& handler) override;
  void OpenUrl(std::string_view url) override;

  // --- Called by the window system. ---
  void Initialise();
  void DeliverTimer(int timerId);
  void DeliverMessage(uint32_t message, uint32_t wParam, int32_t lParam);
  void DeliverDeviceChange();
  // Paints when the handler invalidated the window; returns whether it did.
  bool PaintIfPending();

 private:
  struct Control {
    window::ControlTemplate source;
    std::string text;
    bool visible = false;
    bool enabled = true;
    bool checked = false;
    window::PixelRect rect;
    std::optional<window::FontDescription> font;
    int low = 0;
    int high = 100;
    int position = 0;
    std::unique_ptr<HeadlessRing> ring;
    std::optional<window::Picture> picture;
    int pictureSize = 0;
  };

  Control* Find(int controlId);
  const Control* Find(int controlId) const;
  void Command(int controlId);

  HeadlessWindowSystem& system_;
  window::DialogTemplate template_;
  window::DialogHandler& handler_;
  std::map<int, Control> controls_;
  std::string title_;
  std::vector<window::Picture> windowIcon_;
  window::PixelSize size_;
  int x_ = 0;
  int y_ = 0;
  bool paintPending_ = false;
  std::optional<int> result_;
};

}  // namespace ui::headless
