#include "platform/forms/CGauges.h"

#include <QPainter>
#include <climits>
#include <cmath>
#include <string>

#include "platform/Exception.h"

namespace {

[[noreturn]] void OutOfRange(long long low, long long high) {
  throw Exception("Value must be between " + std::to_string(low) + " and " + std::to_string(high));
}

}  // namespace

TCGauge::TCGauge(TComponent* owner) : QWidget(ClientWidgetOf(owner)), TControl(owner, this, 100, 100) {}

void TCGauge::SetMinValue(int value) {
  if (value == minValue_) return;
  if (value > maxValue_) OutOfRange(INT_MIN, maxValue_);
  minValue_ = value;
  progress_ = std::max(progress_, value);
  Refresh();
}

void TCGauge::SetMaxValue(int value) {
  if (value == maxValue_ || value == 0) return;
  if (value < minValue_) OutOfRange(minValue_, INT_MAX);
  maxValue_ = value;
  progress_ = std::min(progress_, value);
  Refresh();
}

void TCGauge::SetProgress(int value) {
  int before = PercentDone();
  value = std::clamp(value, minValue_, maxValue_);
  if (value == progress_) return;
  progress_ = value;
  if (PercentDone() != before) Refresh();
}

void TCGauge::AddProgress(int value) {
  long long sum = static_cast<long long>(progress_) + value;
  SetProgress(static_cast<int>(std::clamp<long long>(sum, INT_MIN, INT_MAX)));
}

int TCGauge::PercentDone() const {
  long long range = static_cast<long long>(maxValue_) - minValue_;
  if (range == 0) return 0;
  return static_cast<int>(std::trunc((static_cast<long long>(progress_) - minValue_) * 100.0 / range));
}

void TCGauge::Refresh() {
  // At once, not when Qt next gets to its paint requests.
  if (isVisible()) repaint();
}

void TCGauge::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QRect box = rect().adjusted(0, 0, -1, -1);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  QRect done = rect().adjusted(1, 1, -1, -1);
  done.setWidth(done.width() * PercentDone() / 100);
  painter.fillRect(done, palette().color(QPalette::Highlight));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(box);
  // The text takes the colour that stands out against what lies under each part of it.
  const QString text = QString::number(PercentDone()) + QLatin1Char('%');
  painter.setPen(palette().color(QPalette::Text));
  painter.drawText(rect(), Qt::AlignCenter, text);
  painter.setClipRect(done);
  painter.setPen(palette().color(QPalette::HighlightedText));
  painter.drawText(rect(), Qt::AlignCenter, text);
}

int FractionToPercent(float fraction) {
  double percent = static_cast<double>(fraction) * 100.0;
  if (std::isnan(percent)) return 0;
  return static_cast<int>(std::clamp(std::trunc(percent), static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}
