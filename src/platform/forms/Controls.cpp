#include "platform/forms/Controls.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>
#include <cstdlib>
#include <map>

TControl::TControl(TComponent* owner, QWidget* self, int width, int height)
    : TComponent(owner), bounds_(0, 0, width, height), widget_(self), focusPolicy_(self->focusPolicy()) {
  // A control without a parent is not shown, as in the class library.
  self->hide();
  self->setGeometry(bounds_);
}

QWidget* ClientWidgetOf(TComponent* owner) {
  auto* container = dynamic_cast<TWinControl*>(owner);
  return container != nullptr ? container->ClientWidget() : nullptr;
}

Qt::Alignment QtAlignment(TAlignment alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight;
    case taCenter: return Qt::AlignHCenter;
    default: return Qt::AlignLeft;
  }
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  TWinControl* old = parent_;
  if (parent != nullptr) {
    tabOrder_ = static_cast<int>(parent->ChildControls().size());
    parent_ = parent;
    widget_->setParent(parent->ClientWidget());
  } else {
    parent_ = nullptr;
    widget_->hide();
  }
  if (old != nullptr && align_ != alNone) old->AlignControls();
  if (parent_ != nullptr && align_ != alNone)
    parent_->AlignControls();
  else
    ApplyBounds();
  // Qt hides a widget that changes parents.
  ApplyVisible();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  bounds_ = QRect(left, top, std::max(0, width), std::max(0, height));
  if (parent_ != nullptr && align_ != alNone)
    parent_->AlignControls();
  else
    ApplyBounds();
}

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_ != nullptr) parent_->AlignControls();
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  // The layout first, so that a control appears at once where it belongs, also while no
  // events are processed.
  if (parent_ != nullptr && align_ != alNone) parent_->AlignControls();
  ApplyVisible();
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  widget_->setEnabled(enabled);
}

void TControl::SetFont(int height, bool bold) { widget_->setFont(FontForHeight(height, bold)); }

void TControl::SetTabOrder(int order) {
  if (parent_ == nullptr) {
    tabOrder_ = order;
    return;
  }
  auto siblings = parent_->ChildControls();
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  std::stable_sort(siblings.begin(), siblings.end(),
                   [](const TControl* a, const TControl* b) { return a->tabOrder_ < b->tabOrder_; });
  order = std::clamp(order, 0, static_cast<int>(siblings.size()));
  siblings.insert(siblings.begin() + order, this);
  for (size_t i = 0; i < siblings.size(); ++i) {
    siblings[i]->tabOrder_ = static_cast<int>(i);
    if (i > 0) QWidget::setTabOrder(siblings[i - 1]->widget_, siblings[i]->widget_);
  }
}

void TControl::SetTabStop(bool tabStop) {
  tabStop_ = tabStop;
  if (tabStop)
    widget_->setFocusPolicy(focusPolicy_);
  else if (focusPolicy_ & Qt::TabFocus)
    widget_->setFocusPolicy((focusPolicy_ & Qt::ClickFocus) ? Qt::ClickFocus : Qt::NoFocus);
}

void TControl::SetCaption(const AnsiString& caption) {
  caption_ = caption;
  CaptionChanged();
}

void TControl::ApplyBounds() {
  widget_->setGeometry(bounds_);
  if (auto* container = dynamic_cast<TWinControl*>(this)) container->AlignControls();
}

void TControl::ApplyVisible() {
  if (parent_ != nullptr) widget_->setVisible(visible_);
}

std::vector<TControl*> TWinControl::ChildControls() const {
  std::vector<TControl*> controls;
  for (QObject* child : ClientWidget()->children()) {
    auto* control = dynamic_cast<TControl*>(child);
    if (control != nullptr && control->parent_ == this) controls.push_back(control);
  }
  return controls;
}

void TWinControl::AlignControls() {
  if (aligning_) return;
  aligning_ = true;
  QRect area = AlignRect();
  int left = area.x(), top = area.y();
  int right = left + area.width(), bottom = top + area.height();
  const auto children = ChildControls();

  auto place = [&](TAlign align, auto before, auto bounds) {
    std::vector<TControl*> list;
    for (TControl* c : children)
      if (c->align_ == align && c->visible_) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), before);
    for (TControl* c : list) {
      c->bounds_ = bounds(c->bounds_);
      c->ApplyBounds();
    }
  };
  auto span = [](int from, int to) { return std::max(0, to - from); };

  place(alTop, [](auto* a, auto* b) { return a->Top() < b->Top(); }, [&](QRect r) {
    QRect placed(left, top, span(left, right), r.height());
    top += r.height();
    return placed;
  });
  place(alBottom, [](auto* a, auto* b) { return a->Top() + a->Height() > b->Top() + b->Height(); }, [&](QRect r) {
    bottom -= r.height();
    return QRect(left, bottom, span(left, right), r.height());
  });
  place(alLeft, [](auto* a, auto* b) { return a->Left() < b->Left(); }, [&](QRect r) {
    QRect placed(left, top, r.width(), span(top, bottom));
    left += r.width();
    return placed;
  });
  place(alRight, [](auto* a, auto* b) { return a->Left() + a->Width() > b->Left() + b->Width(); }, [&](QRect r) {
    right -= r.width();
    return QRect(right, top, r.width(), span(top, bottom));
  });
  place(alClient, [](auto*, auto*) { return false; },
        [&](QRect) { return QRect(left, top, span(left, right), span(top, bottom)); });
  PlaceRemainder(QRect(left, top, span(left, right), span(top, bottom)));
  aligning_ = false;
}

QFont FontForHeight(int height, bool bold) {
  static std::map<int, int> pixelSizes;
  int h = height == 0 ? 11 : std::abs(height);
  QFont font = QApplication::font();
  auto found = pixelSizes.find(h);
  if (found == pixelSizes.end()) {
    // The Cyrillic letters of "MS Sans Serif" are on average about half as wide as the
    // font is high; the desktop's font is taken at the largest size that is no wider.
    const QString sample = QString::fromUtf8("Съешь же ещё этих мягких французских булок, да выпей чаю");
    const int limit = h * static_cast<int>(sample.size()) / 2;
    int size = h;
    for (; size > std::max(1, h / 2); --size) {
      QFont candidate = font;
      candidate.setPixelSize(size);
      if (QFontMetrics(candidate).horizontalAdvance(sample) <= limit) break;
    }
    found = pixelSizes.emplace(h, size).first;
  }
  font.setPixelSize(found->second);
  font.setBold(bold);
  return font;
}
