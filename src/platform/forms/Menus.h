#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "platform/forms/Classes.h"

// Menus of the class library. A caption "-" makes a separator, a line without text; "&"
// marks the accelerator.
class TMenuItem : public QAction, public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);

  const AnsiString& Caption() const { return caption_; }
  // Shown without trailing line breaks; the stored caption keeps them.
  void SetCaption(const AnsiString& caption);

  // A shortcut such as "Ctrl+O". It works wherever the focus is in the application, also
  // over a control that would take the keys itself (Ctrl+A in an edit box).
  void SetShortCut(const AnsiString& shortCut);

  bool Enabled() const { return isEnabled(); }
  void SetEnabled(bool enabled) { setEnabled(enabled); }

  // Appends a sub-item; the item becomes a menu.
  void Add(TMenuItem* item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;

  TNotifyEvent OnClick;

 private:
  friend class TMainMenu;
  QWidget* Container();

  AnsiString caption_;
  std::vector<TMenuItem*> items_;
  QPointer<QMenuBar> bar_;
  QPointer<QMenu> menu_;
};

// A window's menu bar: its top-level items are the sub-items of Items. TForm::SetMenu
// puts it on the window.
class TMainMenu : public QObject, public TComponent {
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  TMenuItem* const Items;
  QMenuBar* Bar() const { return bar_; }

 private:
  QPointer<QMenuBar> bar_;
};
