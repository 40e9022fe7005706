#include <QStyle>
#include <QStyleOptionButton>

#include "FormsTest.h"

namespace {

// The bottom bar of a data window: panels aligned to every side, a gauge that shows only
// during a print, and a grid that fills the rest.
struct BottomBar {
  explicit BottomBar(TForm* form) {
    grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetAlign(alClient);
    bar = NewAlignedPanel(form, form, alBottom, 34, bvRaised);
    left = NewAlignedPanel(form, bar, alLeft, 312);
    middle = NewAlignedPanel(form, bar, alClient, 0);
    top = NewAlignedPanel(form, middle, alTop, 5);
    bottom = NewAlignedPanel(form, middle, alBottom, 5);
    inner = NewAlignedPanel(form, middle, alClient, 0);
    gauge = new TCGauge(form);
    gauge->SetParent(inner);
    gauge->SetAlign(alClient);
    gauge->Hide();
    check = NewAlignedPanel(form, inner, alRight, 53);
    right = NewAlignedPanel(form, bar, alRight, 177);
  }
  static QRect Bounds(const TControl* c) { return QRect(c->Left(), c->Top(), c->Width(), c->Height()); }

  TStringGrid* grid;
  TPanel *bar, *left, *middle, *top, *bottom, *inner, *check, *right;
  TCGauge* gauge;
};

}  // namespace

TEST_F(FormsTest, AlignedControlsShareTheirParentsClientArea) {
  auto* form = NewForm<TForm>(Application);
  form->SetClientWidth(800);
  form->SetClientHeight(431);
  BottomBar b(form);
  // Laid out before the window is ever shown.
  EXPECT_EQ(BottomBar::Bounds(b.bar), QRect(0, 397, 800, 34));
  EXPECT_EQ(BottomBar::Bounds(b.grid), QRect(0, 0, 800, 397));
  EXPECT_EQ(BottomBar::Bounds(b.left), QRect(1, 1, 312, 32));
  EXPECT_EQ(BottomBar::Bounds(b.right), QRect(622, 1, 177, 32));
  EXPECT_EQ(BottomBar::Bounds(b.middle), QRect(313, 1, 309, 32));
  EXPECT_EQ(BottomBar::Bounds(b.top), QRect(0, 0, 309, 5));
  EXPECT_EQ(BottomBar::Bounds(b.bottom), QRect(0, 27, 309, 5));
  EXPECT_EQ(BottomBar::Bounds(b.inner), QRect(0, 5, 309, 22));
  EXPECT_EQ(BottomBar::Bounds(b.check), QRect(256, 0, 53, 22));
  EXPECT_EQ(b.check->geometry(), QRect(256, 0, 53, 22));

  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form));
  // The gauge appears where it belongs at once, with no event processed in between.
  b.gauge->Show();
  EXPECT_EQ(b.gauge->geometry(), QRect(0, 0, 256, 22));
  EXPECT_TRUE(b.gauge->isVisible());
  b.gauge->Hide();
  EXPECT_FALSE(b.gauge->isVisible());

  // A resized window lays its controls out again.
  form->SetClientWidth(900);
  FinishEvents();
  EXPECT_EQ(BottomBar::Bounds(b.right), QRect(722, 1, 177, 32));
  EXPECT_EQ(BottomBar::Bounds(b.middle), QRect(313, 1, 409, 32));
}

TEST_F(FormsTest, ControlsLieAtTheirPositionsAndTabInTheirOrder) {
  TForm* form = ShownForm(400, 200);
  auto* group = new TGroupBox(form);
  group->SetParent(form);
  group->SetBounds(1, 8, 373, 125);
  auto* first = new TButton(form);
  auto* second = new TButton(form);
  auto* third = new TButton(form);
  for (TButton* b : {first, second, third}) b->SetParent(group);
  first->SetBounds(16, 16, 75, 25);
  EXPECT_EQ(first->geometry(), QRect(16, 16, 75, 25));
  EXPECT_EQ(first->parentWidget(), group);
  // Created later, lying above: the last one is on top.
  second->SetBounds(16, 16, 75, 25);
  third->SetBounds(16, 48, 75, 25);
  EXPECT_EQ(group->childAt(20, 20), second);

  third->SetTabOrder(1);
  EXPECT_EQ(first->TabOrder(), 0);
  EXPECT_EQ(third->TabOrder(), 1);
  EXPECT_EQ(second->TabOrder(), 2);
  EXPECT_EQ(first->nextInFocusChain(), third);
  EXPECT_EQ(third->nextInFocusChain(), second);
}

TEST_F(FormsTest, RussianCaptionsFitTheClassLibrarysControlSizes) {
  TForm* form = ShownForm(600, 200);
  EXPECT_LE(FontForHeight(-11).pixelSize(), 11);
  EXPECT_GE(FontForHeight(-11).pixelSize(), 7);
  EXPECT_GT(FontForHeight(-19).pixelSize(), FontForHeight(-11).pixelSize());
  EXPECT_TRUE(FontForHeight(-19, true).bold());

  struct Case {
    const char* caption;
    int width, height;
    bool checkBox;
  };
  const Case cases[] = {
      {"Отфильтровать", 94, 25, false}, {"Сброс", 59, 25, false},  {"Закрыть", 75, 25, false},
      {"Print choosen", 145, 25, false}, {"N п/п:", 49, 17, true},
  };
  for (const auto& c : cases) {
    QString text = QString::fromUtf8(c.caption);
    QStyleOptionButton option;
    QWidget* widget;
    QStyle::SubElement contents;
    if (c.checkBox) {
      auto* box = new TCheckBox(form);
      box->SetParent(form);
      box->SetAlignment(taLeftJustify);
      widget = box;
      contents = QStyle::SE_CheckBoxContents;
    } else {
      widget = new TButton(form);
      static_cast<TButton*>(widget)->SetParent(form);
      contents = QStyle::SE_PushButtonContents;
    }
    dynamic_cast<TControl*>(widget)->SetBounds(0, 0, c.width, c.height);
    dynamic_cast<TControl*>(widget)->SetCaption(Cp(c.caption));
    option.initFrom(widget);
    option.text = text;
    int room = widget->style()->subElementRect(contents, &option, widget).width();
    EXPECT_LE(widget->fontMetrics().horizontalAdvance(text), room) << c.caption;
    EXPECT_LE(widget->fontMetrics().height(), c.height) << c.caption;
  }
}
