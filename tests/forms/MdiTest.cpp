#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <algorithm>

#include "FormsTest.h"

namespace {

struct Record {
  int activations = 0;
  int closes = 0;
};

// A frame with a tab bar above its MDI area and a status bar below it, as the main window
// has them, keeping its own list of children.
class Frame : public TForm {
 public:
  explicit Frame(TComponent* owner) : TForm(owner, fsMDIForm) {
    SetBounds(0, 0, 600, 400);
    tabs = new TTabControl(this);
    tabs->SetParent(this);
    tabs->SetAlign(alTop);
    tabs->SetHeight(24);
    status = new TStatusBar(this);
    status->SetParent(this);
    status->Panels->Add()->SetWidth(200);
    status->Panels->Add();
  }
  // What the main window's SelectChild and RemoveChild touch: its own members.
  void Activated(TForm* child) {
    status->Panels->Items(1)->SetText(child->Caption());
    log.push_back(child);
  }
  void Removed(TForm* child) { std::erase(children, child); }

  TTabControl* tabs;
  TStatusBar* status;
  std::vector<TForm*> children;
  std::vector<TForm*> log;
};

class Child : public TForm {
 public:
  Child(TComponent* owner, Record& record, TCloseAction action = caFree, TPosition position = poDesigned)
      : TForm(owner, fsMDIChild), record_(record), action_(action) {
    SetPosition(position);
    SetBounds(0, 0, 300, 200);
    OnActivate = Closure(this, &Child::FormActivate);
    OnClose = Closure(this, &Child::FormClose);
  }
  void FormActivate(TObject*) {
    ++record_.activations;
    static_cast<Frame*>(Owner())->Activated(this);
  }
  void FormClose(TObject*, TCloseAction& Action) {
    ++record_.closes;
    static_cast<Frame*>(Owner())->Removed(this);
    Action = action_;
  }

 private:
  Record& record_;
  TCloseAction action_;
};

// Does what a dying part of a window might: clicks a button of the window as it goes.
class Tripwire : public QObject {
 public:
  using QObject::QObject;
  ~Tripwire() override {
    if (button) button->click();
  }
  QPointer<QPushButton> button;
};

class MdiTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    frame = NewForm<Frame>(Application);
    frame->Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
  }

  Child* Open(Record& record, TCloseAction action = caFree, TPosition position = poDesigned) {
    auto* child = NewForm<Child>(frame, record, action, position);
    frame->children.push_back(child);
    return child;
  }

  static QMdiSubWindow* SubWindowOf(TForm* child) { return static_cast<QMdiSubWindow*>(child->parentWidget()); }

  Frame* frame = nullptr;
};

}  // namespace

TEST_F(MdiTest, AChildNeedsAFrame) {
  Record record;
  auto* plain = NewForm<TForm>(Application);
  EXPECT_THROW(Child(plain, record), Exception);
}

TEST_F(MdiTest, AChildIsShownOnCreationAndActivationReachesOnlyRealChildren) {
  Record first, second;
  Child* a = Open(first);
  EXPECT_TRUE(a->Visible());
  EXPECT_TRUE(SubWindowOf(a)->isVisible());
  EXPECT_EQ(first.activations, 1);
  Child* b = Open(second);
  EXPECT_EQ(second.activations, 1);
  EXPECT_EQ(frame->ActiveMDIChild(), b);

  a->BringToFront();
  EXPECT_EQ(frame->ActiveMDIChild(), a);
  EXPECT_EQ(first.activations, 2);

  // Qt's "no active child" (the application lost the focus), then the same child again.
  frame->MdiArea()->setActiveSubWindow(nullptr);
  frame->MdiArea()->setActiveSubWindow(SubWindowOf(a));
  EXPECT_EQ(first.activations, 2);
  EXPECT_EQ(second.activations, 1);
  EXPECT_EQ(frame->log, (std::vector<TForm*>{a, b, a}));
}

TEST_F(MdiTest, AChildCanBeMaximised) {
  Record record;
  Child* child = Open(record);
  child->SetWindowState(wsMaximized);
  child->Show();
  EXPECT_TRUE(SubWindowOf(child)->isMaximized());
  EXPECT_EQ(child->WindowState(), wsMaximized);
}

TEST_F(MdiTest, ClosingAChildRunsOnCloseOnceAndCaFreeFreesIt) {
  Record closedByCode, closedByItsFrame, kept;
  QPointer<Child> a = Open(closedByCode);
  QPointer<Child> b = Open(closedByItsFrame);
  QPointer<Child> c = Open(kept, caMinimize);

  a->Close();
  a->Close();  // before the deferred free: nothing more
  EXPECT_EQ(closedByCode.closes, 1);
  SubWindowOf(b)->close();  // the frame's close box
  EXPECT_EQ(closedByItsFrame.closes, 1);
  c->Close();
  EXPECT_EQ(kept.closes, 1);
  FinishEvents();
  EXPECT_TRUE(a.isNull());
  EXPECT_TRUE(b.isNull());
  ASSERT_FALSE(c.isNull());
  EXPECT_TRUE(SubWindowOf(c)->isMinimized());
  EXPECT_EQ(frame->MdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(frame->children, (std::vector<TForm*>{}));
}

TEST_F(MdiTest, TheNextChildIsActivatedWhenTheActiveOneCloses) {
  Record first, second;
  Child* a = Open(first);
  Child* b = Open(second);
  b->Close();
  FinishEvents();
  EXPECT_EQ(frame->ActiveMDIChild(), a);
  EXPECT_EQ(first.activations, 2);
}

TEST_F(MdiTest, NoHandlerRunsWhileTheFrameIsTornDown) {
  Record first, second;
  Child* a = Open(first);
  Child* b = Open(second);
  // Controls with the focus in both children, so that Qt moves the focus (and the active
  // child) while the children go.
  for (Child* child : {a, b}) {
    auto* edit = new TEdit(child);
    edit->SetParent(child);
    edit->setFocus();
  }
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
  // A signal while a child goes, from something that goes before its button.
  auto* wire = new Tripwire(a->ClientWidget());
  auto* button = new TButton(a);
  button->SetParent(a);
  int clicks = 0;
  button->OnClick = [&](TObject*) {
    static_cast<Frame*>(a->Owner())->Removed(a);
    ++clicks;
  };
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  wire->button = button;

  const int activations = first.activations + second.activations;
  delete frame;
  EXPECT_EQ(first.closes + second.closes, 0);
  EXPECT_EQ(first.activations + second.activations, activations);
  EXPECT_EQ(clicks, 1);
}

TEST_F(MdiTest, TheMdiAreaLiesBetweenTheTopControlAndTheStatusBar) {
  QRect area = frame->MdiArea()->geometry();
  EXPECT_EQ(frame->tabs->Top(), 0);
  EXPECT_EQ(frame->tabs->Height(), 24);
  EXPECT_EQ(area.top(), 24);
  EXPECT_EQ(frame->status->Height(), 19);
  EXPECT_EQ(frame->status->Top(), frame->ClientHeight() - 19);
  EXPECT_EQ(area.bottom() + 1, frame->status->Top());
  EXPECT_EQ(area.width(), frame->ClientWidth());
  frame->tabs->Hide();
  EXPECT_EQ(frame->MdiArea()->geometry().top(), 0);
}

TEST_F(MdiTest, ChildrenOfDefaultPositionOpenCascadedAndGoBackThereWhenRestored) {
  Record record;
  auto place = [](TForm* child) { return SubWindowOf(child)->pos(); };
  Child* designed = Open(record);
  Child* a = Open(record, caFree, poDefault);
  Child* b = Open(record, caFree, poDefault);
  Child* c = Open(record, caFree, poDefault);
  EXPECT_EQ(place(designed), QPoint(0, 0));
  EXPECT_EQ(place(a), QPoint(0, 0));
  const int step = place(b).x();
  EXPECT_GE(step, 10);  // about a title bar
  EXPECT_EQ(place(b), QPoint(step, step));
  EXPECT_EQ(place(c), QPoint(2 * step, 2 * step));
  EXPECT_EQ(c->Left(), 2 * step);
  EXPECT_EQ(c->Top(), 2 * step);

  // Opened maximised, it is restored to its own place.
  Child* d = Open(record, caFree, poDefault);
  d->SetWindowState(wsMaximized);
  EXPECT_TRUE(SubWindowOf(d)->isMaximized());
  d->SetWindowState(wsNormal);
  EXPECT_EQ(place(d), QPoint(3 * step, 3 * step));

  // After as many places as a third of the area's height holds, the top left again: no
  // child starts below the area.
  const int height = frame->MdiArea()->viewport()->height();
  std::vector<QPoint> places;
  for (int i = 0; i < 12; ++i) places.push_back(place(Open(record, caFree, poDefault)));
  EXPECT_NE(std::find(places.begin(), places.end(), QPoint(0, 0)), places.end());
  for (const QPoint& p : places) {
    EXPECT_LE(p.y(), height / 3 + step);
    EXPECT_EQ(p.x(), p.y());
  }
}
