#pragma once

#include <QTabBar>
#include <memory>

#include "platform/forms/Controls.h"

class QLabel;

// A tab bar. OnChange runs only when the user picks another tab: adding, removing and
// selecting tabs from code signal nothing.
class TTabControl : public QTabBar, public TControl {
 public:
  explicit TTabControl(TComponent* owner);
  ~TTabControl() override;

  // The tab titles, shown without their trailing line breaks.
  TStrings* const Tabs;

  // The selected tab, -1 for none.
  int TabIndex() const { return currentIndex(); }
  void SetTabIndex(int index);

  TNotifyEvent OnChange;
};

class TStatusBar;

// One panel of a status bar: its text, shown without trailing line breaks (cut with "…" when
// longer than the panel, and then shown whole as its tooltip), and its width (the last panel
// takes the rest of the bar).
class TStatusPanel {
 public:
  const AnsiString& Text() const { return text_; }
  void SetText(const AnsiString& text);
  int Width() const { return width_; }
  void SetWidth(int width);

 private:
  friend class TStatusBar;
  friend class TStatusPanels;
  TStatusPanel(TStatusBar& bar, QLabel* label) : bar_(bar), label_(label) {}
  void ShowText();

  TStatusBar& bar_;
  QLabel* label_;
  AnsiString text_;
  int width_ = 50;
};

class TStatusPanels {
 public:
  TStatusPanel* Add();
  int Count() const { return static_cast<int>(panels_.size()); }
  // A panel; an index outside the list raises an Exception.
  TStatusPanel* Items(int index) const;

 private:
  friend class TStatusBar;
  explicit TStatusPanels(TStatusBar& bar) : bar_(bar) {}

  TStatusBar& bar_;
  std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

// A status bar of panels, aligned to the bottom of its parent unless set otherwise.
class TStatusBar : public QWidget, public TControl {
 public:
  explicit TStatusBar(TComponent* owner);
  ~TStatusBar() override;

  TStatusPanels* const Panels;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  friend class TStatusPanel;
  friend class TStatusPanels;
  void LayoutPanels();
};
