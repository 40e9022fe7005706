#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>

#include "platform/forms/Controls.h"

// The class library's standard controls. Captions are shown without their trailing line
// breaks; Caption() and Text() return what was set, line breaks included.

class TLabel : public QLabel, public TControl {
 public:
  explicit TLabel(TComponent* owner);
  void SetAlignment(TAlignment alignment);

 protected:
  void CaptionChanged() override;
};

// A push button. Enter clicks it while it has the focus, as Space does: the focused button
// is the active one, as in the class library.
class TButton : public QPushButton, public TControl {
 public:
  explicit TButton(TComponent* owner);
  TNotifyEvent OnClick;

 protected:
  void CaptionChanged() override;
  void keyPressEvent(QKeyEvent* event) override;
};

class TCheckBox : public QCheckBox, public TControl {
 public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return isChecked(); }
  void SetChecked(bool checked) { setChecked(checked); }
  // taLeftJustify puts the caption left of the box.
  void SetAlignment(TAlignment alignment);

 protected:
  void CaptionChanged() override;
};

// A single-line edit box.
class TEdit : public QLineEdit, public TControl {
 public:
  explicit TEdit(TComponent* owner);
  // What was set, or what the user typed since (in the ANSI code page).
  const AnsiString& Text() const { return text_; }
  void SetText(const AnsiString& text);

 private:
  AnsiString text_;
};

// A multi-line text. Its text reads back exactly as it was set; Lines->Add appends a line
// as the class library's memo does (the line and a line break, after a line break of its
// own when the text does not end in one). Disabled, it shows its text in grey that still
// stands out from its background by a contrast of at least 4.5:1.
class TMemo : public QTextEdit, public TControl {
 public:
  explicit TMemo(TComponent* owner);
  ~TMemo() override;

  const AnsiString& Text() const { return text_; }
  void SetText(const AnsiString& text);
  TStrings* const Lines;

  void SetAlignment(TAlignment alignment);
  void SetReadOnly(bool readOnly) { setReadOnly(readOnly); }
  void SetColor(TColor color);

 private:
  void ApplyAlignment();
  void KeepDisabledTextReadable();

  AnsiString text_;
  TAlignment alignment_ = taLeftJustify;
  bool settingText_ = false;
};

enum TComboBoxStyle { csDropDown, csDropDownList };

// A combo box. Nothing is selected after its items are filled in; choosing an entry in its
// list fires OnSelect, also when it is the current one; typed text adds no item. Its list
// opens at least as wide as its longest entry, within the screen.
class TComboBox : public QComboBox, public TControl {
 public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;

  TStrings* const Items;
  int ItemIndex() const { return currentIndex(); }
  void SetItemIndex(int index);

  // The edit text of a csDropDown box, or the chosen item.
  AnsiString Text() const;
  void SetText(const AnsiString& text);

  void SetStyle(TComboBoxStyle style);

  bool DroppedDown() const;
  // True opens the list.
  void SetDroppedDown(bool droppedDown);

  TNotifyEvent OnSelect;

  void showPopup() override;
};

class TGroupBox : public QGroupBox, public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);

 protected:
  void CaptionChanged() override;
  QRect AlignRect() const override;
  void resizeEvent(QResizeEvent* event) override;
};
