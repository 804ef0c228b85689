#include "ui/qt/qt_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "ui/qt/qt_conversions.h"
#include "ui/window/link_markup.h"
#include "ui/window/scale.h"

namespace ui::qt {

using window::ControlKind;

namespace {

constexpr const char* kLatinLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

// A face the templates name, as it measures where it is installed, per em of its size: the
// average advance of the 52 Latin letters and the line height. The layouts were made with
// these: Segoe UI at 11 pt on a 96 dpi screen (15 px) has dialog base units of 8 × 20, which
// is what makes the main dialog's ring surface (69 vertical units) the ring's 172 pixels tall
// and its percent text sit in the ring's centre.
struct DesignedFace {
  const char* face;
  double letterWidthPerEm;
  double heightPerEm;
};
constexpr DesignedFace kDesignedFaces[] = {
    {"Segoe UI", 8.0 / 15, 20.0 / 15},
};

const DesignedFace* FindDesignedFace(const std::string& face) {
  for (const DesignedFace& designed : kDesignedFaces) {
    if (face == designed.face) return &designed;
  }
  return nullptr;
}

bool Installed(const std::string& face) {
  return QFontDatabase::families().contains(ToQString(face));
}

// The font's size in pixels on the screen in use, as the toolkit rounds it.
int EmPixels(double pointSize) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dpi = screen != nullptr ? screen->logicalDotsPerInchY() : window::kDesignDpi;
  return qRound(pointSize * dpi / 72.0);
}

// The toolkit's average character width: the mean advance of the 52 Latin letters, rounded.
window::FontMetrics MeasureDialogFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(kLatinLetters);
  return {(letters / 26 + 1) / 2, metrics.height()};
}

// The dialog units of a template's font: those of the face the layout was made with, also
// where another face stands in for it, so that the controls the template places and the ones
// the dialogs move in pixels keep their places relative to each other.
window::FontMetrics DialogFontMetrics(const window::FontDescription& wanted, const QFont& shown) {
  const DesignedFace* designed = FindDesignedFace(wanted.face);
  if (designed == nullptr || Installed(wanted.face)) return MeasureDialogFont(shown);
  const int em = EmPixels(wanted.pointSizeTenths / 10.0);
  return {qRound(designed->letterWidthPerEm * em), qRound(designed->heightPerEm * em)};
}

}  // namespace

QFont ToQFont(const window::FontDescription& wanted) {
  QFont font = QApplication::font();
  double pointSize = wanted.pointSizeTenths / 10.0;
  if (Installed(wanted.face)) {
    font.setFamily(ToQString(wanted.face));
  } else if (const DesignedFace* designed = FindDesignedFace(wanted.face)) {
    // The stand-in is made no wider and no taller than the face the texts were fitted to
    // (DejaVu Sans, for one, is a sixth wider than Segoe UI), so that they wrap as designed
    // and are not cut. Its bold weight is scaled as its regular one.
    QFont probe = font;
    probe.setBold(false);
    probe.setPixelSize(100);
    const QFontMetricsF metrics(probe);
    const double widthPerEm = metrics.horizontalAdvance(kLatinLetters) / 52 / 100;
    const double heightPerEm = metrics.height() / 100;
    pointSize *= std::min(
        {1.0, designed->letterWidthPerEm / widthPerEm, designed->heightPerEm / heightPerEm});
  }
  font.setPointSizeF(pointSize);
  font.setBold(wanted.bold);
  return font;
}

namespace {

Qt::Alignment LabelAlignment(uint32_t style) {
  if ((style & window::kVerticallyCentred) != 0) return Qt::AlignLeft | Qt::AlignVCenter;
  if ((style & window::kCentred) != 0) return Qt::AlignHCenter | Qt::AlignTop;
  if ((style & window::kRightAligned) != 0) return Qt::AlignRight | Qt::AlignTop;
  return Qt::AlignLeft | Qt::AlignTop;
}

}  // namespace

QtDialog::QtDialog(const window::DialogTemplate& dialog, window::DialogHandler& handler,
                   QWidget* parent)
    : QDialog(parent), template_(dialog), handler_(handler) {
  if (template_.frame == window::FrameKind::Popup) {
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
  }
  setWindowTitle(ToQString(template_.caption));
  // The dialogs are drawn for the light dialog face: the ring clears its surface to that grey
  // (0.94), which must meet the window's own without a seam, on any desktop theme.
  QPalette face = palette();
  face.setColor(QPalette::Window, QColor(240, 240, 240));
  face.setColor(QPalette::WindowText, Qt::black);
  setPalette(face);
  setFont(ToQFont(template_.font));
  metrics_ = DialogFontMetrics(template_.font, font());
  for (const window::ControlTemplate& source : template_.controls) CreateControl(source);
  const window::PixelRect client =
      window::DialogUnitsToPixels({0, 0, template_.width, template_.height}, metrics_);
  resize(client.width, client.height);
}

QtDialog::~QtDialog() = default;

void QtDialog::CreateControl(const window::ControlTemplate& source) {
  Control control;
  control.source = source;
  QWidget* widget = nullptr;
  const QString text = ToQString(source.text);
  switch (source.kind) {
    case ControlKind::Static:
    case ControlKind::Icon: {
      auto* label = new QLabel(text, this);
      label->setAlignment(LabelAlignment(source.style));
      // Static controls wrap their text at word boundaries unless they are single-line.
      label->setWordWrap((source.style & window::kVerticallyCentred) == 0);
      if ((source.style & window::kSunken) != 0) {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setLineWidth(1);
      }
      widget = label;
      break;
    }
    case ControlKind::Link: {
      auto* label = new QLabel(this);
      label->setTextFormat(Qt::RichText);
      label->setWordWrap(true);
      label->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
      control.markup = source.text;
      label->setText(LinkMarkupToRichText(source.text));
      const int id = source.id;
      connect(label, &QLabel::linkActivated, this, [this, id](const QString& url) {
        if (!ended_) handler_.OnLinkClick(*this, id, url.toStdString());
      });
      widget = label;
      break;
    }
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, this);
      button->setAutoDefault(false);
      button->setDefault((source.style & window::kDefaultButton) != 0);
      const int id = source.id;
      connect(button, &QPushButton::clicked, this, [this, id] { Command(id); });
      widget = button;
      break;
    }
    case ControlKind::CheckBox: {
      auto* box = new QCheckBox(text, this);
      const int id = source.id;
      connect(box, &QCheckBox::clicked, this, [this, id] { Command(id); });
      widget = box;
      break;
    }
    case ControlKind::Edit:
      widget = new QLineEdit(text, this);
      break;
    case ControlKind::ProgressBar: {
      auto* bar = new QProgressBar(this);
      bar->setRange(0, 100);
      bar->setValue(0);
      bar->setTextVisible(false);
      widget = bar;
      break;
    }
    case ControlKind::RingSurface: {
      control.ring = new QtRingWidget(this);
      // Filled with the window's background so that its own updates never repaint the dialog.
      control.ring->setAutoFillBackground(true);
      widget = control.ring;
      break;
    }
  }
  const window::PixelRect rect = window::DialogUnitsToPixels(source.rect, metrics_);
  widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
  widget->setVisible((source.style & window::kVisible) != 0);
  control.widget = widget;
  controls_[source.id] = control;
}

QtDialog::Control* QtDialog::Find(int controlId) {
  const auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : &it->second;
}

const QtDialog::Control* QtDialog::Find(int controlId) const {
  const auto it = controls_.find(controlId);
  return it == controls_.end() ? nullptr : &it->second;
}

QWidget* QtDialog::Widget(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr ? control->widget : nullptr;
}

int QtDialog::Run() {
  handler_.OnInitDialog(*this);
  if (ended_) return result_;
  // Modal to its owner only: a child blocks the dialog that runs it, and a top-level dialog
  // blocks no other window of the program (the demo's camera window stays usable).
  setWindowModality(Qt::WindowModal);
  exec();
  return result_;
}

void QtDialog::InitialiseAndShow() {
  handler_.OnInitDialog(*this);
  if (!ended_) show();
}

void QtDialog::Command(int controlId) {
  if (ended_) return;
  const bool taken = handler_.OnCommand(*this, controlId);
  if (!taken && (controlId == window::kResultOk || controlId == window::kResultCancel)) {
    EndDialog(controlId);
  }
}

void QtDialog::reject() {
  Command(window::kResultCancel);
}
void QtDialog::accept() {
  Command(window::kResultOk);
}

void QtDialog::closeEvent(QCloseEvent* event) {
  // The close box is Cancel; whether the window goes is the handler's decision.
  event->ignore();
  Command(window::kResultCancel);
}

void QtDialog::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter) {
    for (const auto& [id, control] : controls_) {
      auto* button = qobject_cast<QPushButton*>(control.widget);
      if (button != nullptr && button->isDefault() && button->isVisible() && button->isEnabled()) {
        Command(id);
        return;
      }
    }
    Command(window::kResultOk);
    return;
  }
  QDialog::keyPressEvent(event);
}

void QtDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // Only a repaint of the whole window erases what the rings show; the partial repaints Qt
  // makes beneath changing labels leave them alone.
  if (ended_ || !event->region().contains(rect())) return;
  for (auto& [id, control] : controls_) {
    if (control.ring != nullptr) control.ring->Erase();
  }
  handler_.OnPaint(*this);
}

void QtDialog::SetText(int controlId, std::string_view text) {
  Control* control = Find(controlId);
  if (control == nullptr) return;
  const QString value = ToQString(text);
  if (control->source.kind == ControlKind::Link) {
    control->markup = std::string(text);
    static_cast<QLabel*>(control->widget)->setText(LinkMarkupToRichText(text));
  } else if (auto* label = qobject_cast<QLabel*>(control->widget)) {
    label->setText(value);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control->widget)) {
    button->setText(value);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control->widget)) {
    edit->setText(value);
  }
}

std::string QtDialog::Text(int controlId) const {
  const Control* control = Find(controlId);
  if (control == nullptr) return {};
  if (control->source.kind == ControlKind::Link) return control->markup;
  if (auto* label = qobject_cast<QLabel*>(control->widget)) return label->text().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(control->widget)) {
    return button->text().toStdString();
  }
  if (auto* edit = qobject_cast<QLineEdit*>(control->widget)) return edit->text().toStdString();
  return {};
}

void QtDialog::SetChecked(int controlId, bool checked) {
  const Control* control = Find(controlId);
  if (control == nullptr) return;
  if (auto* box = qobject_cast<QCheckBox*>(control->widget)) box->setChecked(checked);
}

bool QtDialog::IsChecked(int controlId) const {
  const Control* control = Find(controlId);
  auto* box = control != nullptr ? qobject_cast<QCheckBox*>(control->widget) : nullptr;
  return box != nullptr && box->isChecked();
}

void QtDialog::Show(int controlId, bool visible) {
  if (Control* control = Find(controlId)) control->widget->setVisible(visible);
}

bool QtDialog::IsVisible(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr && !control->widget->isHidden();
}

void QtDialog::Enable(int controlId, bool enabled) {
  if (Control* control = Find(controlId)) control->widget->setEnabled(enabled);
}

bool QtDialog::IsEnabled(int controlId) const {
  const Control* control = Find(controlId);
  return control != nullptr && control->widget->isEnabled();
}

void QtDialog::Move(int controlId, const window::PixelRect& rect) {
  if (Control* control = Find(controlId)) {
    control->widget->setGeometry(rect.x, rect.y, rect.width, rect.height);
  }
}

window::PixelRect QtDialog::Rect(int controlId) const {
  const Control* control = Find(controlId);
  if (control == nullptr) return {};
  const QRect rect = control->widget->geometry();
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

void QtDialog::SetFont(int controlId, const window::FontDescription& font) {
  if (Control* control = Find(controlId)) control->widget->setFont(ToQFont(font));
}

void QtDialog::SetProgressRange(int controlId, int low, int high) {
  const Control* control = Find(controlId);
  if (control == nullptr) return;
  if (auto* bar = qobject_cast<QProgressBar*>(control->widget)) bar->setRange(low, high);
}

void QtDialog::SetProgressPosition(int controlId, int position) {
  const Control* control = Find(controlId);
  if (control == nullptr) return;
  if (auto* bar = qobject_cast<QProgressBar*>(control->widget)) {
    bar->setValue(std::clamp(position, bar->minimum(), bar->maximum()));
  }
}

window::RingSurface* QtDialog::Ring(int controlId) {
  Control* control = Find(controlId);
  return control != nullptr ? control->ring : nullptr;
}

void QtDialog::SetTitle(std::string_view title) {
  setWindowTitle(ToQString(title));
}

std::string QtDialog::Title() const {
  return windowTitle().toStdString();
}

void QtDialog::Resize(const window::PixelSize& size) {
  // The size given is the outer one; Qt sizes the client area.
  const QSize frame = frameGeometry().size() - geometry().size();
  resize(size.width - frame.width(), size.height - frame.height());
}

void QtDialog::MoveTo(int x, int y) {
  move(x, y);
}

window::PixelSize QtDialog::Size() const {
  const QSize size = frameGeometry().size();
  return {size.width(), size.height()};
}

double QtDialog::ScaleFactor() const {
  const QScreen* shown = screen();
  return shown != nullptr ? window::ScaleFactorFromDpi(qRound(shown->logicalDotsPerInchX())) : 1.0;
}

void QtDialog::Invalidate() {
  update();
}

void QtDialog::EndDialog(int result) {
  if (ended_) return;
  ended_ = true;
  result_ = result;
  for (auto& [id, timer] : timers_) timer->stop();
  done(result);
}

void QtDialog::SetTimer(int timerId, uint32_t intervalMs) {
  QTimer*& timer = timers_[timerId];
  if (timer == nullptr) {
    timer = new QTimer(this);
    connect(timer, &QTimer::timeout, this, [this, timerId] {
      if (!ended_) handler_.OnTimer(*this, timerId);
    });
  }
  timer->start(static_cast<int>(intervalMs));  // starting a running timer restarts it
}

void QtDialog::KillTimer(int timerId) {
  const auto it = timers_.find(timerId);
  if (it != timers_.end()) it->second->stop();
}

void QtDialog::Post(uint32_t message, uint32_t wParam, int32_t lParam) {
  // Queued calls reach this object's thread in the order they were made.
  QMetaObject::invokeMethod(
      this,
      [this, message, wParam, lParam] {
        if (!ended_) handler_.OnMessage(*this, message, wParam, lParam);
      },
      Qt::QueuedConnection);
}

void QtDialog::PostDeviceChange() {
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (!ended_) handler_.OnDeviceChange(*this);
      },
      Qt::QueuedConnection);
}

window::DialogResult QtDialog::ShowMessageBox(const window::MessageBoxRequest& request) {
  const bool okCancel = request.buttons == window::MessageBoxButtons::OkCancel;
  QMessageBox box(request.warningIcon ? QMessageBox::Warning : QMessageBox::NoIcon,
                  ToQString(request.caption), ToQString(request.text),
                  okCancel ? QMessageBox::Ok | QMessageBox::Cancel : QMessageBox::Ok, this);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok ? window::kResultOk : window::kResultCancel;
}

std::optional<std::string> QtDialog::ShowOpenFileDialog(std::string_view filter) {
  const QString path =
      QFileDialog::getOpenFileName(this, QString(), QString(), ToQtFileFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

int QtDialog::RunModalChild(const window::DialogTemplate& dialog, window::DialogHandler& handler) {
  QtDialog child(dialog, handler, this);
  return child.Run();
}

void QtDialog::OpenUrl(std::string_view url) {
  // The dialogs write web addresses without a scheme ("www.tavelin.com/downloads"), which Qt
  // would take as a relative file name. Qt completes such an address with http; the maker's
  // pages are served over https.
  const QString written = ToQString(url);
  QUrl address = QUrl::fromUserInput(written);
  if (QUrl(written).scheme().isEmpty() && address.scheme() == "http") address.setScheme("https");
  QDesktopServices::openUrl(address);
}

namespace {

QImage ToQImage(const window::Picture& picture) {
  QImage image(picture.width, picture.height, QImage::Format_ARGB32);
  for (int y = 0; y < picture.height; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < picture.width; ++x) {
      line[x] = picture.pixels[static_cast<size_t>(y) * picture.width + x];
    }
  }
  return image;
}

}  // namespace

void QtDialog::SetPicture(int controlId, const window::Picture& picture, int size) {
  const Control* control = Find(controlId);
  if (control == nullptr || control->source.kind != ControlKind::Icon) return;
  auto* label = static_cast<QLabel*>(control->widget);
  const QImage scaled =
      ToQImage(picture).scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  label->setPixmap(QPixmap::fromImage(scaled));
  label->setScaledContents(false);
  // The picture keeps its own size, as an icon static does, and its top left corner stays.
  label->resize(size, size);
}

void QtDialog::SetWindowIcon(const std::vector<window::Picture>& sizes) {
  QIcon icon;
  for (const window::Picture& picture : sizes)
    icon.addPixmap(QPixmap::fromImage(ToQImage(picture)));
  setWindowIcon(icon);
}

}  // namespace ui::qt
