#include "platform/forms/Forms.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QIcon>
#include <QLayout>
#include <QLibraryInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStyleOptionTitleBar>
#include <QTimer>
#include <QTranslator>

#include "platform/MessageBox.h"
#include "platform/System.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Menus.h"
#include "platform/forms/QtText.h"
#include "platform/spreadsheet/SpreadsheetServer.h"

// The window's client area: the aligned controls follow its size.
class TForm::Client : public QWidget {
 public:
  explicit Client(TForm* form) : QWidget(form), form_(form) {}

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    form_->AlignControls();
  }

 private:
  TForm* form_;
};

// The sub-window that holds an MDI child. It tells the child when it goes, so that the
// child does not free it twice, and when a close starts at the frame.
class MdiFrame : public QMdiSubWindow {
 public:
  explicit MdiFrame(TForm* form) : form_(form) {}
  ~MdiFrame() override {
    if (form_ != nullptr) form_->frame_ = nullptr;
  }

  TForm* form_;

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (form_ != nullptr) form_->frameClosing_ = true;
    QPointer<QMdiSubWindow> self(this);
    QMdiSubWindow::closeEvent(event);
    if (self && form_ != nullptr) form_->frameClosing_ = false;
  }
};

namespace {

// How long a desktop takes to minimise a window's dialogs with it.
constexpr int kDesktopSettles = 200;

QWidget* ParentFor(TComponent* owner, TFormStyle style) {
  // An MDI child gets its frame's sub-window as parent; a window owned by another window
  // lies under it in the Qt tree, so that it goes with its owner.
  if (style == fsMDIChild) return nullptr;
  return dynamic_cast<TForm*>(owner);
}

// The class library's window states on Qt's windows, both ways. Shown maximised or minimised, a
// window gets that state of Qt's, and a minimised one keeps a maximised state under it to come
// back to; shown in wsNormal, it is shown by `normal`: showNormal takes Qt's state away, show
// leaves it. Read back, a window minimised from maximised is minimised.
void ShowInState(QWidget* window, TWindowState state, void (QWidget::*normal)() = &QWidget::showNormal) {
  switch (state) {
    case wsMaximized: window->showMaximized(); break;
    case wsMinimized: window->showMinimized(); break;
    case wsNormal: (window->*normal)(); break;
  }
}

TWindowState StateOf(Qt::WindowStates states) {
  if (states & Qt::WindowMinimized) return wsMinimized;
  return (states & Qt::WindowMaximized) ? wsMaximized : wsNormal;
}

QString WindowTitle(const AnsiString& caption) {
  // "[*]" is Qt's placeholder for the modified mark; doubled it shows as itself.
  return ToQtLine(caption).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

}  // namespace

TForm::TForm(TComponent* owner, TFormStyle style)
    : QMainWindow(ParentFor(owner, style)), TWinControl(owner, this, 0, 0), style_(style) {
  if (parentWidget() != nullptr) setWindowFlag(Qt::Window);
  client_ = new Client(this);
  setCentralWidget(client_);
  QMainWindow::setFont(FontForHeight(-11));
  visible_ = false;

  if (style == fsMDIForm) {
    mdiArea_ = new QMdiArea(client_);
    Listen(mdiArea_, &QMdiArea::subWindowActivated, [this](QMdiSubWindow* window) { ChildActivated(window); });
  } else if (style == fsMDIChild) {
    auto* frame = dynamic_cast<TForm*>(owner);
    if (frame == nullptr || frame->mdiArea_ == nullptr)
      throw Exception("Cannot create form. No MDI forms are currently active");
    frame_ = new MdiFrame(this);
    frame_->setWidget(this);
    frame_->hide();
    frame->mdiArea_->addSubWindow(frame_);
    // The state follows what the user does with the frame's buttons, and a minimised child
    // remembers the state it had before.
    Listen(frame_, &QMdiSubWindow::windowStateChanged, [this](Qt::WindowStates before, Qt::WindowStates now) {
      if (StateOf(now) == wsMinimized && StateOf(before) != wsMinimized) stateBeforeMinimised_ = StateOf(before);
      windowState_ = StateOf(now);
    });
  }
  if (owner == Application) Application->AddForm(this);
}

TForm::~TForm() {
  // From here on no handler of this window or of anything it owns runs. What the window
  // holds goes first, while the window is still whole: windows it owns, then the client
  // area with every control and, in a frame, every MDI child.
  BeginDestroy();
  Application->RemoveForm(this);
  std::vector<QPointer<QObject>> owned;
  for (QObject* child : children())
    if (dynamic_cast<TForm*>(child) != nullptr) owned.emplace_back(child);
  for (auto& child : owned) delete child.data();
  delete client_;
  if (frame_ != nullptr) {
    // Freed directly, not through its frame: the empty frame goes too.
    frame_->form_ = nullptr;
    frame_->hide();
    frame_->deleteLater();
  }
}

void TForm::AfterConstruction() {
  if (created_) return;
  created_ = true;
  Fire(OnCreate, this);
  if (frame_ != nullptr && Responsive()) {
    visible_ = true;
    ApplyVisible();
  }
}

QWidget* TForm::ClientWidget() const { return client_; }

int TForm::MenuHeight() const {
  return menu_ != nullptr && menuWidget() != nullptr ? menuWidget()->sizeHint().height() : 0;
}

int TForm::ClientWidth() const { return client_->width(); }
int TForm::ClientHeight() const { return client_->height(); }

void TForm::SetClientWidth(int width) {
  int extra = frame_ != nullptr ? frame_->contentsMargins().left() + frame_->contentsMargins().right() : 0;
  SetWidth(width + extra);
}

void TForm::SetClientHeight(int height) {
  int extra = frame_ != nullptr ? frame_->contentsMargins().top() + frame_->contentsMargins().bottom() : 0;
  SetHeight(height + extra + MenuHeight());
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (menu != nullptr) {
    setMenuBar(menu->Bar());
    menu->Bar()->show();
  }
  ApplyBounds();
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  borderStyle_ = style;
  ApplyWindowFlags();
}

void TForm::SetBorderIcons(int icons) {
  borderIcons_ = icons;
  ApplyWindowFlags();
}

Qt::WindowFlags TForm::WindowFlags() const {
  const bool dialog = borderStyle_ == bsDialog || dialogOfMainForm_;
  Qt::WindowFlags flags = dialog ? Qt::Dialog : Qt::Window;
  flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (borderIcons_ & biSystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if ((borderIcons_ & biMinimize) && !dialog) flags |= Qt::WindowMinimizeButtonHint;
  if ((borderIcons_ & biMaximize) && borderStyle_ == bsSizeable && !dialog) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}

void TForm::ApplyWindowFlags() {
  if (frame_ != nullptr) return;
  setWindowFlags(WindowFlags());
}

void TForm::BecomeDialogOfMainForm() {
  TForm* main = Application->MainForm();
  if (frame_ != nullptr || main == nullptr || main == this) return;
  // Transient for the main window: the desktop keeps it above the main window, minimises
  // and raises it with it, and offers no button to minimise it alone.
  dialogOfMainForm_ = true;
  if (parentWidget() != main)
    setParent(main, WindowFlags());
  else
    ApplyWindowFlags();
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (!visible_) return;
  ShowInState(frame_ != nullptr ? static_cast<QWidget*>(frame_) : this, state);
}

void TForm::CaptionChanged() { setWindowTitle(WindowTitle(Caption())); }

void TForm::ApplyBounds() {
  if (frame_ != nullptr) {
    frame_->setGeometry(bounds_);
    setGeometry(frame_->contentsRect());
  } else {
    resize(bounds_.size());
    if (position_ == poDesigned) move(bounds_.topLeft());
  }
  // The client area gets its size now, also in a window not shown yet, rather than when Qt
  // next gets to its layout requests; Qt's layout gives it the same place later.
  int menuHeight = MenuHeight();
  client_->setGeometry(0, menuHeight, width(), std::max(0, height() - menuHeight));
  AlignControls();
}

void TForm::ApplyVisible() {
  if (!visible_) {
    if (frame_ != nullptr)
      frame_->hide();
    else
      hide();
    return;
  }
  if (!created_) AfterConstruction();
  ShowWindow();
}

void TForm::ShowWindow() {
  if (frame_ != nullptr) {
    if (!placed_) {
      placed_ = true;
      auto* owner = dynamic_cast<TForm*>(Owner());
      if (position_ == poDefault && owner != nullptr) {
        bounds_.moveTopLeft(owner->NextCascadePlace(frame_));
        ApplyBounds();
      }
    }
    ShowInState(frame_, windowState_, &QWidget::show);
    show();
    if (auto* area = frame_->mdiArea()) area->setActiveSubWindow(frame_);
    return;
  }
  PlaceOnShow();
  ShowInState(this, windowState_, &QWidget::show);
  raise();
  activateWindow();
}

void TForm::PlaceOnShow() {
  if (borderStyle_ != bsSizeable) setFixedSize(bounds_.size());
  if (position_ != poScreenCenter && position_ != poMainFormCenter) return;
  create();
  Place();
  // A desktop's frame is known only once the window is on screen: placed again if it does not
  // fit then.
  QTimer::singleShot(kDesktopSettles, this, [this] {
    if (isVisible() && windowState() == Qt::WindowNoState && !AvailableArea().contains(frameGeometry())) Place();
  });
}

QRect TForm::AvailableArea() const {
  return (screen() != nullptr ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
}

void TForm::Place() {
  const QRect area = AvailableArea();
  TForm* main = Application->MainForm();
  const QRect around = position_ == poMainFormCenter && main != nullptr && main != this && main->isVisible()
                           ? main->frameGeometry()
                           : area;
  // Within the screen's available area, frame and all, however large the desktop's scale: a
  // sizeable window shrinks to fit (not below its minimum), and every window is moved in.
  const QSize frame = frameGeometry().size() - size();
  if (borderStyle_ == bsSizeable) {
    const QSize room = (area.size() - frame).expandedTo(minimumSize());
    if (width() > room.width() || height() > room.height()) {
      bounds_.setSize(size().boundedTo(room));
      ApplyBounds();
    }
  }
  QRect placed(around.center() - QPoint((width() + frame.width()) / 2, (height() + frame.height()) / 2),
               size() + frame);
  placed.moveLeft(std::max(area.left(), std::min(placed.left(), area.right() + 1 - placed.width())));
  placed.moveTop(std::max(area.top(), std::min(placed.top(), area.bottom() + 1 - placed.height())));
  move(placed.topLeft());
}

void TForm::SetMinClientSize(int width, int height) {
  QWidget* window = frame_ != nullptr ? static_cast<QWidget*>(frame_) : this;
  const QMargins margins = frame_ != nullptr ? frame_->contentsMargins() : QMargins();
  window->setMinimumSize(width + margins.left() + margins.right(), height + margins.top() + margins.bottom() + MenuHeight());
}

QPoint TForm::NextCascadePlace(const QMdiSubWindow* frame) {
  if (mdiArea_ == nullptr) return {};
  QStyleOptionTitleBar title;
  title.initFrom(frame);
  const int step = frame->style()->pixelMetric(QStyle::PM_TitleBarHeight, &title, frame) +
                   frame->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, frame);
  // The top left, and as many places further as a third of the area's height has steps.
  const int places = mdiArea_->viewport()->height() / (3 * std::max(1, step)) + 1;
  const int n = cascaded_++ % places;
  return {n * step, n * step};
}

QRect TForm::AlignRect() const { return client_->rect(); }

void TForm::PlaceRemainder(const QRect& rest) {
  if (mdiArea_ != nullptr) mdiArea_->setGeometry(rest);
}

void TForm::ChildActivated(QMdiSubWindow* window) {
  // Qt reports "no active child" whenever the application loses the focus, and the same
  // child again when it comes back; only a change to another child is an activation.
  if (window == nullptr || !Responsive()) return;
  auto* child = dynamic_cast<TForm*>(window->widget());
  if (child == nullptr || child == lastActiveChild_) return;
  lastActiveChild_ = child;
  child->Fire(child->OnActivate, child);
}

TForm* TForm::ActiveMDIChild() const {
  if (mdiArea_ == nullptr || mdiArea_->activeSubWindow() == nullptr) return nullptr;
  return dynamic_cast<TForm*>(mdiArea_->activeSubWindow()->widget());
}

void TForm::BringToFront() {
  if (frame_ != nullptr) {
    if (frame_->isHidden()) return;
    // A minimised child is shown again as it was, so that what is active is what is seen.
    if (frame_->isMinimized()) SetWindowState(stateBeforeMinimised_);
    frame_->raise();
    if (auto* area = frame_->mdiArea()) area->setActiveSubWindow(frame_);
  } else if (isVisible()) {
    raise();
    activateWindow();
  }
}

void TForm::Close() {
  if (frame_ != nullptr)
    frame_->close();
  else
    close();
}

void TForm::closeEvent(QCloseEvent* event) {
  if (frame_ != nullptr && !frameClosing_) {
    // Closed as a widget inside its frame: close the frame, which asks again.
    event->ignore();
    frame_->close();
    return;
  }
  if (released_ || !Responsive()) {
    event->accept();
    return;
  }
  if (modalLoop_ != nullptr) {
    event->ignore();
    SetModalResult(mrCancel);
    return;
  }
  if (closing_) {
    event->ignore();
    return;
  }
  TCloseAction action = frame_ != nullptr ? ((borderIcons_ & biMinimize) ? caMinimize : caNone) : caHide;
  closing_ = true;
  Fire(OnClose, this, action);
  closing_ = false;

  if (action == caNone) {
    event->ignore();
    return;
  }
  if (Application->MainForm() == this) {
    visible_ = false;
    event->accept();
    Application->Terminate();
    return;
  }
  switch (action) {
    case caMinimize:
      event->ignore();
      SetWindowState(wsMinimized);
      return;
    case caFree:
      released_ = true;
      (frame_ != nullptr ? static_cast<QWidget*>(frame_) : this)->setAttribute(Qt::WA_DeleteOnClose);
      [[fallthrough]];
    default:
      visible_ = false;
      event->accept();
      return;
  }
}

void TForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // Some desktops still let a dialog be minimised alone, which would leave the main window
  // locked with no window to answer: unless the main window went too, it comes back.
  if (event->type() != QEvent::WindowStateChange || !dialogOfMainForm_ || !isMinimized()) return;
  QTimer::singleShot(kDesktopSettles, this, [this] {
    TForm* main = Application->MainForm();
    if (isVisible() && isMinimized() && main != nullptr && !main->isMinimized()) {
      showNormal();
      raise();
      activateWindow();
    }
  });
}

TModalResult TForm::ShowModal() {
  if (visible_ || modalLoop_ != nullptr || frame_ != nullptr) throw Exception("Cannot make a visible window modal");
  modalResult_ = mrNone;
  BecomeDialogOfMainForm();
  setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modalLoop_ = &loop;
  visible_ = true;
  ApplyVisible();
  if (modalResult_ == mrNone) loop.exec();
  modalLoop_ = nullptr;
  visible_ = false;
  hide();
  setWindowModality(Qt::NonModal);
  return modalResult_;
}

void TForm::SetModalResult(TModalResult result) {
  modalResult_ = result;
  if (modalLoop_ != nullptr && result != mrNone) modalLoop_->exit();
}

TBusyCursor::TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

TBusyCursor::~TBusyCursor() { QApplication::restoreOverrideCursor(); }

// The application object.

namespace {

TApplication& TheApplication() {
  static TApplication application;
  return application;
}

// Qt lets no exception pass through its event handling; one that a handler outside the
// layer's events lets go is shown here, and the program goes on.
class HostedApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (...) {
      Application->HandleException(nullptr);
      return false;
    }
  }
};

}  // namespace

TApplication* const Application = &TheApplication();

namespace {

// The workbooks whose opener failed after it started: its reaper's thread asks for this on
// the main one, where the program goes on meanwhile.
void ShowOpenerFailures() {
  for (const AnsiString& message : TakeOpenerFailures())
    MessageBoxA(nullptr, message, Application->Title(), MB_OK | MB_ICONWARNING);
}

}  // namespace

void TApplication::Initialize() {
  if (QApplication::instance() == nullptr) throw Exception("The application needs its ApplicationHost");
  SetUpProcessSignals();
  InstallMessageBoxDialog();
  SetOpenerFailureNotifier(
      [] { QMetaObject::invokeMethod(QCoreApplication::instance(), ShowOpenerFailures, Qt::QueuedConnection); });
  InstallQtTranslation(QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  QIcon icon;
  const QDir icons(QStringLiteral(":/MAINICON"), QStringLiteral("*.png"));
  for (const QString& name : icons.entryList(QDir::Files)) icon.addFile(icons.filePath(name));
  if (!icon.isNull()) QApplication::setWindowIcon(icon);
  terminated_ = false;
}

bool InstallQtTranslation(const QString& folder) {
  // One translation at a time, owned by the Qt application.
  static QPointer<QTranslator> installed;
  if (installed) {
    QCoreApplication::removeTranslator(installed);
    delete installed.data();
  }
  // The exact file: QTranslator would fall back to other names ("qtbase.qm").
  const QString file = QDir(folder).filePath(QStringLiteral("qtbase_ru.qm"));
  if (!QFileInfo(file).isFile()) return false;
  auto* translation = new QTranslator(QCoreApplication::instance());
  if (!translation->load(file)) {
    delete translation;
    return false;
  }
  QCoreApplication::installTranslator(translation);
  installed = translation;
  return true;
}

void TApplication::Run() {
  if (terminated_) return;
  if (mainForm_ != nullptr && !mainForm_->Visible()) mainForm_->Show();
  if (!terminated_) QApplication::exec();
}

void TApplication::Terminate() {
  terminated_ = true;
  QCoreApplication::exit(0);
}

AnsiString TApplication::Title() const {
  if (!title_.empty()) return title_;
  AnsiString name = GetModuleFileName();
  name = name.substr(name.rfind('/') + 1);
  auto dot = name.rfind('.');
  return dot == AnsiString::npos || dot == 0 ? name : name.substr(0, dot);
}

void TApplication::ShowException(const Exception& exception) {
  AnsiString message = exception.Message();
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
  MessageBoxA(nullptr, message, Title(), MB_OK | MB_ICONERROR);
}

void TApplication::HandleException(TObject*) {
  try {
    ShowException(Exception(CurrentExceptionMessage()));
  } catch (...) {
    // The exception box itself failed: nothing is left to show it with.
  }
}

void TApplication::DestroyComponents() {
  while (!forms_.empty()) delete forms_.back();
  mainForm_ = nullptr;
}

void TApplication::RemoveForm(TForm* form) {
  std::erase(forms_, form);
  if (mainForm_ == form) mainForm_ = nullptr;
}

ApplicationHost::ApplicationHost(int& argc, char** argv) : app_(std::make_unique<HostedApplication>(argc, argv)) {
  // The class library's program ends when its main form closes, not with its last window.
  QApplication::setQuitOnLastWindowClosed(false);
}

ApplicationHost::~ApplicationHost() {
  // No reaper may post to the Qt application once it has gone.
  SetOpenerFailureNotifier({});
  Application->DestroyComponents();
  SetMessageBoxHandler({});
}
