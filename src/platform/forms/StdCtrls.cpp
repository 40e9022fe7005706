#include "platform/forms/StdCtrls.h"

#include <QAbstractItemView>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "platform/forms/QtText.h"

// Default sizes are the class library's.

TLabel::TLabel(TComponent* owner) : QLabel(ClientWidgetOf(owner)), TControl(owner, this, 65, 13) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TLabel::SetAlignment(TAlignment alignment) { setAlignment(QtAlignment(alignment) | Qt::AlignTop); }

void TLabel::CaptionChanged() { setText(ToQtLine(Caption())); }

TButton::TButton(TComponent* owner) : QPushButton(ClientWidgetOf(owner)), TControl(owner, this, 75, 25) {
  setAutoDefault(false);
  Listen(this, &QPushButton::clicked, [this] { Fire(OnClick, this); });
}

void TButton::CaptionChanged() { setText(ToQtLine(Caption())); }

void TButton::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    click();
    return;
  }
  QPushButton::keyPressEvent(event);
}

TCheckBox::TCheckBox(TComponent* owner) : QCheckBox(ClientWidgetOf(owner)), TControl(owner, this, 97, 17) {}

void TCheckBox::SetAlignment(TAlignment alignment) {
  setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCheckBox::CaptionChanged() { setText(ToQtLine(Caption())); }

TEdit::TEdit(TComponent* owner) : QLineEdit(ClientWidgetOf(owner)), TControl(owner, this, 121, 21) {
  Listen(this, &QLineEdit::textEdited, [this](const QString& text) { text_ = FromQt(text); });
}

void TEdit::SetText(const AnsiString& text) {
  text_ = text;
  setText(ToQtLine(text));
}

namespace {

// Relative luminance and contrast ratio of colours, as the web's accessibility guidelines
// define them.
double Luminance(const QColor& color) {
  auto linear = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
  return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF()) + 0.0722 * linear(color.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The text colour, moved toward black or white (whichever lies further from the background)
// just far enough to read: a contrast of 4.5:1.
QColor Readable(const QColor& text, const QColor& background) {
  const QColor target = Contrast(Qt::black, background) >= Contrast(Qt::white, background) ? Qt::black : Qt::white;
  QColor color = text;
  for (int step = 1; step <= 20 && Contrast(color, background) < 4.5; ++step) {
    const double t = step / 20.0;
    color = QColor::fromRgbF(static_cast<float>(text.redF() + (target.redF() - text.redF()) * t),
                             static_cast<float>(text.greenF() + (target.greenF() - text.greenF()) * t),
                             static_cast<float>(text.blueF() + (target.blueF() - text.blueF()) * t));
  }
  return color;
}

bool IsLineBreak(char c) { return c == '\r' || c == '\n'; }

// Where the line that starts at `from` ends, and where the next one starts ("\r\n", "\n"
// and "\r" each end a line).
std::pair<size_t, size_t> LineAt(const AnsiString& text, size_t from) {
  size_t end = from;
  while (end < text.size() && !IsLineBreak(text[end])) ++end;
  size_t next = end;
  if (next < text.size()) next += text.compare(next, 2, "\r\n") == 0 ? 2 : 1;
  return {end, next};
}

class MemoLines : public TStrings {
 public:
  explicit MemoLines(TMemo& memo) : memo_(memo) {}

  int Count() const override {
    const AnsiString& text = memo_.Text();
    int count = 0;
    for (size_t at = 0; at < text.size(); at = LineAt(text, at).second) ++count;
    return count;
  }

  AnsiString Strings(int index) const override {
    const AnsiString& text = memo_.Text();
    size_t at = 0;
    for (int i = 0; at < text.size(); ++i, at = LineAt(text, at).second)
      if (i == index) return text.substr(at, LineAt(text, at).first - at);
    ListIndexError(index);
  }

  int Add(const AnsiString& line) override {
    int index = Count();
    AnsiString text = memo_.Text();
    if (!text.empty() && !IsLineBreak(text.back()))
      text += "\r\n" + line;
    else
      text += line + "\r\n";
    memo_.SetText(text);
    return index;
  }

  void Clear() override { memo_.SetText(AnsiString()); }

 private:
  TMemo& memo_;
};

}  // namespace

TMemo::TMemo(TComponent* owner)
    : QTextEdit(ClientWidgetOf(owner)), TControl(owner, this, 185, 89), Lines(new MemoLines(*this)) {
  setAcceptRichText(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Listen(this, &QTextEdit::textChanged, [this] {
    if (settingText_) return;
    text_ = FromQt(toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
  });
  KeepDisabledTextReadable();
}

TMemo::~TMemo() { delete Lines; }

void TMemo::SetText(const AnsiString& text) {
  text_ = text;
  QString shown = ToQt(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  settingText_ = true;
  setPlainText(shown);
  ApplyAlignment();
  settingText_ = false;
}

void TMemo::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  bool setting = settingText_;
  settingText_ = true;
  ApplyAlignment();
  settingText_ = setting;
}

void TMemo::ApplyAlignment() {
  QTextCursor cursor(document());
  cursor.select(QTextCursor::Document);
  QTextBlockFormat format;
  format.setAlignment(QtAlignment(alignment_));
  cursor.mergeBlockFormat(format);
}

void TMemo::SetColor(TColor color) {
  QPalette p = palette();
  p.setColor(QPalette::Base, p.color(color == clBtnFace ? QPalette::Button : QPalette::Base));
  p.setColor(QPalette::Disabled, QPalette::Base, p.color(QPalette::Active, QPalette::Base));
  setPalette(p);
  KeepDisabledTextReadable();
}

void TMemo::KeepDisabledTextReadable() {
  QPalette p = palette();
  const QColor background = p.color(QPalette::Disabled, QPalette::Base);
  p.setColor(QPalette::Disabled, QPalette::Text, Readable(p.color(QPalette::Disabled, QPalette::Text), background));
  setPalette(p);
}

namespace {

class ComboItems : public TControlStrings {
 public:
  explicit ComboItems(TComboBox& box) : box_(box) {}

 protected:
  void Added(const AnsiString& text) override {
    // Qt makes the first item current; the class library leaves the box as it was.
    QSignalBlocker blocker(box_);
    int index = box_.currentIndex();
    QString editText = box_.currentText();
    box_.addItem(ToQtLine(text));
    box_.setCurrentIndex(index);
    if (box_.isEditable()) box_.setEditText(editText);
  }
  void Cleared() override {
    QSignalBlocker blocker(box_);
    box_.clear();
    box_.setEditText(QString());
  }

 private:
  TComboBox& box_;
};

}  // namespace

TComboBox::TComboBox(TComponent* owner)
    : QComboBox(ClientWidgetOf(owner)), TControl(owner, this, 145, 21), Items(new ComboItems(*this)) {
  SetStyle(csDropDown);
  // Qt's "activated" comes for every entry the user chooses, the current one included.
  Listen(this, &QComboBox::activated, [this](int) { Fire(OnSelect, this); });
}

TComboBox::~TComboBox() { delete Items; }

void TComboBox::SetItemIndex(int index) {
  QSignalBlocker blocker(this);
  setCurrentIndex(index < 0 || index >= count() ? -1 : index);
}

AnsiString TComboBox::Text() const { return FromQt(currentText()); }

void TComboBox::SetText(const AnsiString& text) {
  QSignalBlocker blocker(this);
  if (isEditable()) setEditText(ToQtLine(text));
}

void TComboBox::SetStyle(TComboBoxStyle style) {
  QSignalBlocker blocker(this);
  setEditable(style == csDropDown);
  setInsertPolicy(QComboBox::NoInsert);
}

void TComboBox::showPopup() {
  QComboBox::showPopup();
  // Qt opens the list as wide as the box, and the box may be narrower than its entries.
  QAbstractItemView* list = view();
  QWidget* popup = list != nullptr ? list->window() : nullptr;
  if (popup == nullptr || popup == window()) return;
  int wanted = list->sizeHintForColumn(0) + 2 * list->frameWidth() + (popup->width() - list->width());
  if (list->verticalScrollBar()->isVisible()) wanted += list->verticalScrollBar()->width();
  if (wanted <= popup->width()) return;
  QRect place = popup->geometry();
  place.setWidth(wanted);
  if (const QScreen* shown = popup->screen()) {
    const QRect room = shown->availableGeometry();
    place.setWidth(std::min(wanted, room.width()));
    if (place.right() > room.right()) place.moveRight(room.right());
  }
  popup->setGeometry(place);
}

bool TComboBox::DroppedDown() const { return view() != nullptr && view()->isVisible(); }

void TComboBox::SetDroppedDown(bool droppedDown) {
  if (droppedDown)
    showPopup();
  else
    hidePopup();
}

TGroupBox::TGroupBox(TComponent* owner) : QGroupBox(ClientWidgetOf(owner)), TWinControl(owner, this, 185, 105) {}

void TGroupBox::CaptionChanged() { setTitle(ToQtLine(Caption())); }

QRect TGroupBox::AlignRect() const {
  // Inside the frame and below the caption, as the class library's group box has it.
  return rect().adjusted(2, QFontMetrics(font()).height() + 2, -2, -2);
}

void TGroupBox::resizeEvent(QResizeEvent* event) {
  QGroupBox::resizeEvent(event);
  AlignControls();
}
