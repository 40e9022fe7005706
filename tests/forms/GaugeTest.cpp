#include <climits>
#include <cmath>

#include "FormsTest.h"

namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
  int paints = 0;
};

AnsiString Refusal(const std::function<void()>& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "accepted";
}

}  // namespace

TEST_F(FormsTest, GaugeKeepsItsProgressWithinItsRange) {
  auto* form = NewForm<TForm>(Application);
  auto* gauge = new TCGauge(form);
  EXPECT_EQ(gauge->MinValue(), 0);
  EXPECT_EQ(gauge->MaxValue(), 100);
  EXPECT_EQ(gauge->Progress(), 0);

  struct Case {
    int min, max, progress;
    int shownProgress, percent;
  };
  const Case cases[] = {
      {0, 100, 150, 100, 100}, {0, 100, -5, 0, 0},   {0, 100, 28, 28, 28},   {0, 7, 5, 5, 71},
      {0, 0, 50, 50, 50},  // a maximum of 0 keeps the one before (100)
      {-10, 10, 0, 0, 50}, {5, 5, 9, 5, 0},         {0, 3, 3, 3, 100},
      {INT_MIN + 1, INT_MAX, -1, -1, 49},  // no overflow in the arithmetic
  };
  for (const auto& c : cases) {
    gauge->SetMinValue(INT_MIN);
    gauge->SetMaxValue(100);
    gauge->SetMaxValue(c.max);
    gauge->SetMinValue(c.min);
    gauge->SetProgress(c.progress);
    EXPECT_EQ(gauge->Progress(), c.shownProgress) << c.min << " " << c.max << " " << c.progress;
    EXPECT_EQ(gauge->PercentDone(), c.percent) << c.min << " " << c.max << " " << c.progress;
  }

  gauge->SetMinValue(0);
  gauge->SetMaxValue(10);
  gauge->SetProgress(10);
  gauge->AddProgress(1);  // a step at the maximum stays there
  EXPECT_EQ(gauge->Progress(), 10);
  gauge->SetMaxValue(4);  // a smaller maximum takes the progress down with it
  EXPECT_EQ(gauge->Progress(), 4);
  gauge->SetMinValue(2);
  gauge->SetProgress(0);
  EXPECT_EQ(gauge->Progress(), 2);
}

TEST_F(FormsTest, GaugeRefusesAMinimumAboveItsMaximum) {
  auto* form = NewForm<TForm>(Application);
  auto* gauge = new TCGauge(form);
  EXPECT_EQ(Refusal([&] { gauge->SetMinValue(101); }), "Value must be between -2147483648 and 100");
  EXPECT_EQ(gauge->MinValue(), 0);
  gauge->SetMinValue(100);  // equal to the maximum is allowed
  EXPECT_EQ(gauge->PercentDone(), 0);
  EXPECT_EQ(Refusal([&] { gauge->SetMaxValue(50); }), "Value must be between 100 and 2147483647");
  EXPECT_EQ(gauge->MaxValue(), 100);
}

TEST_F(FormsTest, FractionsBecomePercentagesAfterWideningToDouble) {
  struct Case {
    float fraction;
    int percent;
  };
  const Case cases[] = {{0.29f, 28}, {1.0f, 100}, {0.0f, 0}, {0.5f, 50}, {0.57f, 56},
                        {-0.015f, -1}, {1e20f, INT_MAX}, {-1e20f, INT_MIN}, {std::nanf(""), 0}};
  for (const auto& c : cases) EXPECT_EQ(FractionToPercent(c.fraction), c.percent) << c.fraction;
}

TEST_F(FormsTest, GaugeRepaintsAtOnceWhenThePercentageChanges) {
  TForm* form = ShownForm();
  auto* gauge = new TCGauge(form);
  gauge->SetParent(form);
  gauge->SetBounds(10, 10, 200, 30);
  PaintCounter counter;
  gauge->installEventFilter(&counter);
  gauge->SetMaxValue(1000);
  int after = counter.paints;
  EXPECT_GT(after, 0);  // painted within the call, no event loop in between
  gauge->SetProgress(5);  // still 0 %
  EXPECT_EQ(counter.paints, after);
  gauge->SetProgress(10);  // 1 %
  EXPECT_EQ(counter.paints, after + 1);
  gauge->AddProgress(1);
  EXPECT_EQ(counter.paints, after + 1);
  gauge->removeEventFilter(&counter);
}
