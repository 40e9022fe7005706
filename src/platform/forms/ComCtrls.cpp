#include "platform/forms/ComCtrls.h"

#include <QLabel>
#include <QSignalBlocker>

#include "platform/forms/QtText.h"

namespace {

class TabTitles : public TControlStrings {
 public:
  explicit TabTitles(TTabControl& tabs) : tabs_(tabs) {}

 protected:
  void Added(const AnsiString& title) override {
    QSignalBlocker blocker(tabs_);
    tabs_.addTab(ToQtLine(title));
  }
  void Cleared() override {
    QSignalBlocker blocker(tabs_);
    while (tabs_.count() > 0) tabs_.removeTab(tabs_.count() - 1);
  }

 private:
  TTabControl& tabs_;
};

}  // namespace

TTabControl::TTabControl(TComponent* owner)
    : QTabBar(ClientWidgetOf(owner)), TControl(owner, this, 289, 193), Tabs(new TabTitles(*this)) {
  setUsesScrollButtons(true);
  setExpanding(false);
  setDrawBase(true);
  // Only what the user does reaches here: the changes made in code are blocked.
  Listen(this, &QTabBar::currentChanged, [this](int) { Fire(OnChange, this); });
}

TTabControl::~TTabControl() { delete Tabs; }

void TTabControl::SetTabIndex(int index) {
  QSignalBlocker blocker(this);
  setCurrentIndex(index);
}

void TStatusPanel::SetText(const AnsiString& text) {
  text_ = text;
  ShowText();
}

void TStatusPanel::ShowText() {
  // A text longer than the panel ends in "…" and shows whole as its tooltip; a panel not laid
  // out yet holds it whole.
  const QString line = ToQtLine(text_);
  const int room = label_->contentsRect().width();
  const QString shown = room > 0 ? label_->fontMetrics().elidedText(line, Qt::ElideRight, room) : line;
  label_->setText(shown);
  label_->setToolTip(shown == line ? QString() : line);
}

void TStatusPanel::SetWidth(int width) {
  width_ = width;
  bar_.LayoutPanels();
}

TStatusPanel* TStatusPanels::Add() {
  auto* label = new QLabel(&bar_);
  label->setTextFormat(Qt::PlainText);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  // The text starts at the margin: Qt would indent a framed label by half an "x" more, which
  // the class library's panels do not.
  label->setContentsMargins(2, 0, 2, 0);
  label->setIndent(0);
  panels_.push_back(std::unique_ptr<TStatusPanel>(new TStatusPanel(bar_, label)));
  bar_.LayoutPanels();
  label->show();
  return panels_.back().get();
}

TStatusPanel* TStatusPanels::Items(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return panels_[static_cast<size_t>(index)].get();
}

TStatusBar::TStatusBar(TComponent* owner)
    : QWidget(ClientWidgetOf(owner)), TControl(owner, this, 0, 19), Panels(new TStatusPanels(*this)) {
  SetAlign(alBottom);
}

TStatusBar::~TStatusBar() { delete Panels; }

void TStatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutPanels();
}

void TStatusBar::LayoutPanels() {
  int x = 0;
  const int count = Panels->Count();
  for (int i = 0; i < count; ++i) {
    TStatusPanel* panel = Panels->Items(i);
    int w = i == count - 1 ? std::max(0, width() - x) : std::max(0, panel->width_);
    panel->label_->setGeometry(x, 2, std::max(0, w - 2), std::max(0, height() - 2));
    panel->ShowText();
    x += w;
  }
}
