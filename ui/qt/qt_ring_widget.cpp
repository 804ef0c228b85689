#include "ui/qt/qt_ring_widget.h"

#include <QPainter>

namespace ui::qt {
namespace {

QColor ToQColor(const window::Colour& colour) {
  return QColor::fromRgbF(colour.red, colour.green, colour.blue, colour.alpha);
}

}  // namespace

QtRingWidget::QtRingWidget(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void QtRingWidget::Clear(const window::Colour& colour) {
  dots_.clear();
  background_ = colour;
  cleared_ = true;
  update();
}

void QtRingWidget::FillEllipse(float centreX, float centreY, float radiusX, float radiusY,
                               const window::Colour& colour) {
  dots_.push_back({centreX, centreY, radiusX, radiusY, colour});
  update();
}

void QtRingWidget::Erase() {
  dots_.clear();
  cleared_ = false;
  update();
}

void QtRingWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  if (cleared_) painter.fillRect(rect(), ToQColor(background_));
  painter.setPen(Qt::NoPen);
  for (const Dot& dot : dots_) {
    painter.setBrush(ToQColor(dot.colour));
    painter.drawEllipse(QPointF(dot.centreX, dot.centreY), dot.radiusX, dot.radiusY);
  }
}

}  // namespace ui::qt
