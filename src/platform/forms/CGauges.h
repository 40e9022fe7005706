#pragma once

#include <QWidget>

#include "platform/forms/Controls.h"

// The gauge of the class library's sample components: a bar with the percentage done.
//
// Minimum, maximum and progress start at 0, 100 and 0. The progress is held within the
// range. A maximum of 0 is ignored (the previous one stays). A minimum above the maximum is
// refused with the Exception "Value must be between <lowest int> and <maximum>", a
// maximum below the minimum with "Value must be between <minimum> and <highest int>".
// A change of the percentage shown repaints the gauge at once, since it is advanced while
// no events are processed.
class TCGauge : public QWidget, public TControl {
 public:
  explicit TCGauge(TComponent* owner);

  int MinValue() const { return minValue_; }
  int MaxValue() const { return maxValue_; }
  int Progress() const { return progress_; }
  void SetMinValue(int value);
  void SetMaxValue(int value);
  void SetProgress(int value);
  void AddProgress(int value);

  // The percentage done, truncated toward zero (0 when the range is empty).
  int PercentDone() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Refresh();

  int minValue_ = 0;
  int maxValue_ = 100;
  int progress_ = 0;
};

// A fraction from 0 to 1 as a percentage: widened to double before it is multiplied, and
// truncated toward zero, so 0.29f (stored as 0.2899999...) gives 28. A value outside the
// int range is held at its nearer end, and NaN gives 0.
int FractionToPercent(float fraction);
