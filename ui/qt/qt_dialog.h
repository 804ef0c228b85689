#pragma once
// A dialog of the window layer on Qt Widgets: one widget per template control, placed at its
// template rectangle mapped from dialog units with the dialog font's measures.

#include <QDialog>
#include <map>
#include <string>

#include "ui/qt/qt_ring_widget.h"
#include "ui/window/dialog_handler.h"
#include "ui/window/dialog_units.h"
#include "ui/window/dialog_window.h"

class QTimer;

namespace ui::qt {

class QtDialog final : public QDialog, public window::DialogWindow {
 public:
  QtDialog(const window::DialogTemplate& dialog, window::DialogHandler& handler, QWidget* parent);
  ~QtDialog() override;

  // Initialises the dialog and runs it modally; returns the result it ended with.
  int Run();
  // Initialises and shows it without a modal run (for a dialog that lives beside another).
  void InitialiseAndShow();
  bool IsEnded() const { return ended_; }
  // The widget of a control, or null.
  QWidget* Widget(int controlId) const;

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
  void SetWindowIcon(const std::vector<window::Picture>& sizes) override;
  void SetTitle(std::string_view title) override;
  std::string Title() const override;
  void Resize(const window::PixelSize& size) override;
  void MoveTo(int x, int y) override;
  window::PixelSize Size() const override;
  double ScaleFactor() const override;
  void Invalidate() override;
  void EndDialog(int result) override;
  void SetTimer(int timerId, uint32_t intervalMs) override;
  void KillTimer(int timerId) override;
  void Post(uint32_t message, uint32_t wParam, int32_t lParam) override;
  void PostDeviceChange() override;
  window::DialogResult ShowMessageBox(const window::MessageBoxRequest& request) override;
  std::optional<std::string> ShowOpenFileDialog(std::string_view filter) override;
  int RunModalChild(const window::DialogTemplate& dialog, window::DialogHandler& handler) override;
  void OpenUrl(std::string_view url) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;
  void accept() override;

 private:
  struct Control {
    window::ControlTemplate source;
    QWidget* widget = nullptr;
    QtRingWidget* ring = nullptr;
    std::string markup;  // a link control's text as set
  };

  void CreateControl(const window::ControlTemplate& source);
  void Command(int controlId);
  Control* Find(int controlId);
  const Control* Find(int controlId) const;

  window::DialogTemplate template_;
  window::DialogHandler& handler_;
  window::FontMetrics metrics_;
  std::map<int, Control> controls_;
  std::map<int, QTimer*> timers_;
  bool ended_ = false;
  int result_ = -1;
};

// The font Qt uses for wanted: its face when installed, else the desktop's UI font.
QFont ToQFont(const window::FontDescription& wanted);

}  // namespace ui::qt
