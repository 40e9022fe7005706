#include "platform/forms/Menus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "platform/forms/Controls.h"
#include "platform/forms/QtText.h"

namespace {

// Gives menu shortcuts priority over the focused control: Qt first offers a key to the
// focus widget, and an edit box claims Ctrl+A and the like; a key that a menu item
// answers to never gets there.
class ShortcutPriority : public QObject {
 public:
  static void Register(QAction* action) {
    // One filter for the Qt application; it goes with it.
    static QPointer<ShortcutPriority> filter;
    if (!filter) {
      filter = new ShortcutPriority(qApp);
      qApp->installEventFilter(filter);
    }
    filter->actions_.push_back(action);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType()) return false;
    QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    std::erase_if(actions_, [](const QPointer<QAction>& a) { return a.isNull(); });
    for (const auto& action : actions_)
      if (action->isEnabled() && action->shortcut() == pressed) return true;
    return false;
  }

 private:
  using QObject::QObject;
  std::vector<QPointer<QAction>> actions_;
};

}  // namespace

TMenuItem::TMenuItem(TComponent* owner) : QAction(ClientWidgetOf(owner)), TComponent(owner) {
  Listen(this, &QAction::triggered, [this] { Fire(OnClick, this); });
}

void TMenuItem::SetCaption(const AnsiString& caption) {
  caption_ = caption;
  // A separator is a line: the style would draw the "-" as a section title beside it.
  const bool separator = caption == "-";
  setSeparator(separator);
  setText(separator ? QString() : ToQtLine(caption));
}

void TMenuItem::SetShortCut(const AnsiString& shortCut) {
  setShortcut(QKeySequence::fromString(ToQt(shortCut), QKeySequence::PortableText));
  setShortcutContext(Qt::ApplicationShortcut);
  ShortcutPriority::Register(this);
}

void TMenuItem::Add(TMenuItem* item) {
  items_.push_back(item);
  Container()->addAction(item);
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) ListIndexError(index);
  return items_[static_cast<size_t>(index)];
}

QWidget* TMenuItem::Container() {
  if (bar_) return bar_;
  if (!menu_) {
    menu_ = new QMenu(ClientWidgetOf(Owner()));
    setMenu(menu_.data());
  }
  return menu_;
}

TMainMenu::TMainMenu(TComponent* owner)
    : QObject(ClientWidgetOf(owner)), TComponent(owner), Items(new TMenuItem(owner)) {
  bar_ = new QMenuBar(ClientWidgetOf(owner));
  bar_->hide();
  // Menus use the desktop's menu font, not the window's.
  bar_->setFont(QApplication::font(bar_));
  Items->bar_ = bar_;
}

TMainMenu::~TMainMenu() { delete bar_.data(); }
