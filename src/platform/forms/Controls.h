#pragma once

#include <QFont>
#include <QRect>
#include <QWidget>

#include "platform/forms/Classes.h"

// Controls: position, size, alignment in their parent, visibility and the font. Positions
// are pixels within the parent's client area, as the class library lays a window out.

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TColor { clBtnFace, clWindow };

class TWinControl;

class TControl : public TComponent {
 public:
  // The Qt widget that shows the control.
  QWidget* Widget() const { return widget_; }

  TWinControl* Parent() const { return parent_; }
  // Places the control in a window, a panel or a group box; until then it is not shown.
  void SetParent(TWinControl* parent);

  int Left() const { return bounds_.x(); }
  int Top() const { return bounds_.y(); }
  int Width() const { return bounds_.width(); }
  int Height() const { return bounds_.height(); }
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  void SetBounds(int left, int top, int width, int height);

  // An aligned control fills a side of its parent's client area (keeping its height for
  // alTop and alBottom, its width for alLeft and alRight) or the rest of it (alClient).
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // What code set, whether or not the window that holds the control is shown yet.
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }

  // What code set, whatever the parent's state.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // The class library's font height in pixels (negative: character height) and weight,
  // in the desktop's font family.
  void SetFont(int height, bool bold = false);

  // The position in the focus order among the controls of the same parent.
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  // Whether Tab and Shift+Tab stop at the control; one they pass still takes the focus
  // when it is clicked.
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop);

  // The stored caption; single-line controls show it without its trailing line breaks.
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& caption);

 protected:
  TControl(TComponent* owner, QWidget* self, int width, int height);

  virtual void CaptionChanged() {}
  // Apply bounds_ and visible_ to the widget; forms place and show their window instead.
  virtual void ApplyBounds();
  virtual void ApplyVisible();

  QRect bounds_;
  bool visible_ = true;

 private:
  friend class TWinControl;

  QWidget* const widget_;
  TWinControl* parent_ = nullptr;
  TAlign align_ = alNone;
  bool enabled_ = true;
  int tabOrder_ = 0;
  bool tabStop_ = true;
  Qt::FocusPolicy focusPolicy_;
  AnsiString caption_;
};

// A control that holds controls: it aligns them whenever its size or theirs changes.
class TWinControl : public TControl {
 public:
  // The Qt widget in which the child controls lie.
  virtual QWidget* ClientWidget() const { return Widget(); }

  // Lays the aligned child controls out: top, bottom, left and right ones in that order,
  // each side's controls in their order of position, then the client ones in the rest.
  void AlignControls();

  // The controls whose parent this is, in their order of creation.
  std::vector<TControl*> ChildControls() const;

 protected:
  TWinControl(TComponent* owner, QWidget* self, int width, int height) : TControl(owner, self, width, height) {}

  // The part of the client widget that aligned controls share.
  virtual QRect AlignRect() const { return ClientWidget()->contentsRect(); }
  // What is left after the aligned controls (the MDI area of a frame lies there).
  virtual void PlaceRemainder(const QRect&) {}

 private:
  bool aligning_ = false;
};

// The Qt widget in which the controls of an owner lie (a window's client area, a panel);
// null for an owner that holds no controls. New components start under it.
QWidget* ClientWidgetOf(TComponent* owner);

// Qt's horizontal alignment for the class library's.
Qt::Alignment QtAlignment(TAlignment alignment);

// The desktop's font family at the size that stands for a class library font height: as
// large as it can be while Cyrillic text stays no wider than in the class library's
// "MS Sans Serif", so that captions fit the controls the layouts size for them.
QFont FontForHeight(int height, bool bold = false);
