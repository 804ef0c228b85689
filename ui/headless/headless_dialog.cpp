#include "ui/headless/headless_dialog.h"

#include "ui/headless/headless_window_system.h"
#include "ui/window/dialog_units.h"
#include "ui/window/link_markup.h"
#include "ui/window/scale.h"

namespace ui::headless {

using window::ControlKind;

HeadlessDialog::HeadlessDialog(HeadlessWindowSystem& system, const window::DialogTemplate& dialog,
                               window::DialogHandler& handler)
    : system_(system), template_(dialog), handler_(handler), title_(dialog.caption) {
  const window::FontMetrics& metrics = system_.Metrics();
  for (const window::ControlTemplate& source : template_.controls) {
    Control control;
    control.source = source;
    control.text = source.text;
    control.visible = (source.style & window::kVisible) != 0;
    control.rect = window::DialogUnitsToPixels(source.rect, metrics);
    if (source.kind == ControlKind::RingSurface) control.ring = std::make_unique<HeadlessRing>();
    controls_[source.id] = std::move(control);
  }
  const window::PixelRect client =
      window::DialogUnitsToPixels({0, 0, template_.width, template_.height}, metrics);
  size_ = {client.width, client.height};
  system_.Register(this);
}

HeadlessDialog::~HeadlessDialog() {
  system_.Unregister(this);
}

HeadlessDialog::Control* HeadlessDialog::Find(int controlId) {
  const auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : &it->second;
}

const HeadlessDialog::Control* HeadlessDialog::Find(int controlId) const {
  const auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : &it->second;
}

void HeadlessDialog::Initialise() {
  handler_.OnInitDialog(*this);
}

void HeadlessDialog::Command(int controlId) {
  if (IsEnded()) return;
  const bool taken = handler_.OnCommand(*this, controlId);
  if (!taken && (controlId == window::kResultOk || controlId == window::kResultCancel)) {
    EndDialog(controlId);
  }
}

bool HeadlessDialog::Click(int controlId) {
  Control* control = Find(controlId);
  if (IsEnded() || control == nullptr || !control->visible || !control->enabled) return false;
  if (control->source.kind == ControlKind::CheckBox) {
    control->checked = !control->checked;
  } else if (control->source.kind != ControlKind::PushButton) {
    return false;
  }
  Command(controlId);
  return true;
}

bool HeadlessDialog::PressEnter() {
  if (IsEnded()) return false;
  for (const window::ControlTemplate& source : template_.controls) {
    const Control* control = Find(source.id);
    if ((source.style & window::kDefaultButton) != 0 && control->visible && control->enabled) {
      Command(source.id);
      return true;
    }
  }
  Command(window::kResultOk);
  return true;
}

bool HeadlessDialog::PressEscape() {
  if (IsEnded()) return false;
  Command(window::kResultCancel);
  return true;
}

bool HeadlessDialog::ClickLink(int controlId) {
  const Control* control = Find(controlId);
  if (IsEnded() || control == nullptr || control->source.kind != ControlKind::Link ||
      !control->visible || !control->enabled) {
    return false;
  }
  const window::LinkMarkup link = window::ParseLinkMarkup(control->text);
  if (!link.hasAnchor) return false;
  handler_.OnLinkClick(*this, controlId, link.url);
  return true;
}

void HeadlessDialog::Expose() {
  if (IsEnded()) return;
  paintPending_ = false;
  for (auto& [id, control] : controls_) {
    if (control.ring) control.ring->Erase();
  }
  handler_.OnPaint(*this);
}

bool HeadlessDialog::PaintIfPending() {
  if (!paintPending_ || IsEnded()) return false;
  Expose();
  return true;
}

std::optional<window::FontDescription> HeadlessDialog::Font(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->font : std::nullopt;
}

int HeadlessDialog::ProgressLow(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->low : 0;
}

int HeadlessDialog::ProgressHigh(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->high : 0;
}

int HeadlessDialog::ProgressPosition(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->position : 0;
}

const HeadlessRing* HeadlessDialog::RingOf(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->ring.get() : nullptr;
}

std::optional<uint32_t> HeadlessDialog::TimerInterval(int timerId) const {
  return system_.TimerInterval(this, timerId);
}

void HeadlessDialog::SetText(int controlId, std::string_view text) {
  if (Control* control = Find(controlId)) control->text = std::string(text);
}

std::string HeadlessDialog::Text(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->text : std::string();
}

void HeadlessDialog::SetChecked(int controlId, bool checked) {
  if (Control* control = Find(controlId)) control->checked = checked;
}

bool HeadlessDialog::IsChecked(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr && control->checked;
}

void HeadlessDialog::Show(int controlId, bool visible) {
  if (Control* control = Find(controlId)) control->visible = visible;
}

bool HeadlessDialog::IsVisible(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr && control->visible;
}

void HeadlessDialog::Enable(int controlId, bool enabled) {
  if (Control* control = Find(controlId)) control->enabled = enabled;
}

bool HeadlessDialog::IsEnabled(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr && control->enabled;
}

void HeadlessDialog::Move(int controlId, const window::PixelRect& rect) {
  if (Control* control = Find(controlId)) control->rect = rect;
}

window::PixelRect HeadlessDialog::Rect(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->rect : window::PixelRect{};
}

void HeadlessDialog::SetFont(int controlId, const window::FontDescription& font) {
  if (Control* control = Find(controlId)) control->font = font;
}

void HeadlessDialog::SetProgressRange(int controlId, int low, int high) {
  Control* control = Find(controlId);
  if (control == nullptr || control->source.kind != ControlKind::ProgressBar) return;
  control->low = low;
  control->high = high;
}

void HeadlessDialog::SetProgressPosition(int controlId, int position) {
  Control* control = Find(controlId);
  if (control == nullptr || control->source.kind != ControlKind::ProgressBar) return;
  // A progress bar keeps its position inside its range, as the common control does.
  control->position = position < control->low    ? control->low
                      : position > control->high ? control->high
                                                 : position;
}

window::RingSurface* HeadlessDialog::Ring(int controlId) {
  Control* control = Find(controlId);
  return control != nullptr ? control->ring.get() : nullptr;
}

void HeadlessDialog::SetTitle(std::string_view title) {
  title_ = std::string(title);
}

void HeadlessDialog::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

double HeadlessDialog::ScaleFactor() const {
  return window::ScaleFactorFromDpi(system_.LogicalDpi());
}

void HeadlessDialog::EndDialog(int result) {
  if (!result_) result_ = result;
}

void HeadlessDialog::SetTimer(int timerId, uint32_t intervalMs) {
  system_.SetTimer(this, timerId, intervalMs);
}

void HeadlessDialog::KillTimer(int timerId) {
  system_.KillTimer(this, timerId);
}

void HeadlessDialog::Post(uint32_t message, uint32_t wParam, int32_t lParam) {
  system_.Enqueue(this, false, message, wParam, lParam);
}

void HeadlessDialog::PostDeviceChange() {
  system_.Enqueue(this, true, 0, 0, 0);
}

window::DialogResult HeadlessDialog::ShowMessageBox(const window::MessageBoxRequest& request) {
  return system_.ShowMessageBox(request);
}

std::optional<std::string> HeadlessDialog::ShowOpenFileDialog(std::string_view filter) {
  return system_.ShowOpenFileDialog(filter);
}

int HeadlessDialog::RunModalChild(const window::DialogTemplate& dialog,
                                  window::DialogHandler& handler) {
  return system_.RunModal(dialog, handler);
}

void HeadlessDialog::SetPicture(int controlId, const window::Picture& picture, int size) {
  Control* control = Find(controlId);
  if (control == nullptr || control->source.kind != ControlKind::Icon) return;
  control->picture = picture;
  control->pictureSize = size;
}

const window::Picture* HeadlessDialog::PictureOf(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr && control->picture ? &*control->picture : nullptr;
}

int HeadlessDialog::PictureSize(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->pictureSize : 0;
}

void HeadlessDialog::OpenUrl(std::string_view url) {
  system_.OpenUrl(url);
}

void HeadlessDialog::DeliverTimer(int timerId) {
  if (!IsEnded()) handler_.OnTimer(*this, timerId);
}

void HeadlessDialog::DeliverMessage(uint32_t message, uint32_t wParam, int32_t lParam) {
  if (!IsEnded()) handler_.OnMessage(*this, message, wParam, lParam);
}

void HeadlessDialog::DeliverDeviceChange() {
  if (!IsEnded()) handler_.OnDeviceChange(*this);
}

}  // namespace ui::headless
