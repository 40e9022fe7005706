#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <map>

#include "UiTest.h"
#include "ui/AboutForm.h"

namespace {

class AboutBoxTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    WriteConfig();
  }
  void Start() {
    StartMainWindow();
    Application->CreateForm(frmAboutForm);
  }

  // Help > About as the user chooses it; the box is closed with its button once shown.
  TModalResult ShowAbout() {
    TModalResult result = mrNone;
    shown = false;
    WhenShown([&] {
      shown = true;
      lines.clear();
      for (int i = 0; i < frmAboutForm->Memo1->Lines->Count(); ++i)
        lines.push_back(frmAboutForm->Memo1->Lines->Strings(i));
      Click(frmAboutForm->ctrClose);
      result = frmAboutForm->ModalResult();
    });
    QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
    return result;
  }

  // Runs the step once the modal box is on screen.
  static void WhenShown(std::function<void()> step) {
    QTimer::singleShot(5, [step] {
      if (frmAboutForm->isVisible())
        step();
      else
        WhenShown(step);
    });
  }

  bool shown = false;
  std::vector<AnsiString> lines;
};

}  // namespace

TEST_F(AboutBoxTest, TheDesignTextsStayHoweverOftenTheBoxIsShown) {
  Start();
  EXPECT_FALSE(frmAboutForm->Visible());
  EXPECT_EQ(frmAboutForm->ClientWidth(), 474);
  EXPECT_EQ(frmAboutForm->ClientHeight(), 273);
  EXPECT_FALSE(frmAboutForm->Memo1->Enabled());
  EXPECT_TRUE(frmAboutForm->Memo1->isReadOnly());
  const AnsiString design = frmAboutForm->Memo1->Text();
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(ShowAbout(), mrOk);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(frmAboutForm->isVisible());
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines.front(), "Kelvarn");
    for (const AnsiString& line : lines) EXPECT_FALSE(line.empty());
    EXPECT_EQ(frmAboutForm->Memo1->Text(), design + "\r\n");
    EXPECT_EQ(frmAboutForm->Memo1->document()->blockCount(), 8);  // seven lines and the one after the last break
    EXPECT_EQ(frmAboutForm->Caption(), Cp("О программе"));
    EXPECT_EQ(frmAboutForm->ctrClose->Caption(), Cp("Закрыть"));
  }
}

TEST_F(AboutBoxTest, LocalisedTextsShowOneMemoLinePerPiece) {
  struct Case {
    const char* entry;
    std::vector<const char*> lines;
  };
  const Case cases[] = {
      {"popup.about.text=Kelvarn\\nЛаборатория\\n", {"Kelvarn", "Лаборатория"}},
      {"popup.about.text=Kelvarn\\nЛаборатория", {"Kelvarn", "Лаборатория"}},
      {"popup.about.text=Одна строка", {"Одна строка"}},
      {"popup.about.text=А\\n\\nБ\\n", {"А", "", "Б"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    dir.Write("localization.txt", Cp((std::string("popup.about.caption=Сведения\n"
                                                  "popup.about.close=ОК\n") +
                                      c.entry + "\n")
                                         .c_str()));
    Start();
    std::vector<AnsiString> expected;
    for (const char* line : c.lines) expected.push_back(Cp(line));
    for (int round = 0; round < 2; ++round) {
      EXPECT_EQ(ShowAbout(), mrOk);
      EXPECT_EQ(lines, expected);
      EXPECT_EQ(frmAboutForm->Caption(), Cp("Сведения\n"));
      EXPECT_EQ(frmAboutForm->windowTitle(), QString::fromUtf8("Сведения"));
      EXPECT_EQ(frmAboutForm->ctrClose->Caption(), Cp("ОК\n"));
    }
    Application->DestroyComponents();
    FinishEvents();
  }
}

TEST_F(AboutBoxTest, EnterOnTheFocusedCloseButtonClosesTheBox) {
  Start();
  QWidget* focused = nullptr;
  bool closedByEnter = false;
  WhenShown([&] {
    Activate(frmAboutForm);
    focused = Focus();
    Press(Qt::Key_Return);
    closedByEnter = frmAboutForm->ModalResult() == mrOk;
    if (!closedByEnter) Click(frmAboutForm->ctrClose);  // a failure must not leave the box waiting
  });
  QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(focused, frmAboutForm->ctrClose);
  EXPECT_TRUE(closedByEnter);
  EXPECT_FALSE(frmAboutForm->isVisible());
}

TEST_F(AboutBoxTest, TheDisabledTextReadsWithAContrastOfAtLeastFourAndAHalf) {
  Start();
  ASSERT_FALSE(frmAboutForm->Memo1->Enabled());
  const QImage shown = frmAboutForm->Memo1->grab().toImage();
  // The background is the commonest colour; the text's own colour is the one that stands out
  // most from it (the edges of its letters are blends).
  std::map<QRgb, int> counts;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) ++counts[shown.pixel(x, y)];
  const QRgb background =
      std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
  auto luminance = [](QRgb c) {
    auto linear = [](int v) {
      double s = v / 255.0;
      return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
  };
  auto contrast = [&](QRgb a, QRgb b) {
    double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
  };
  double best = 1;
  for (const auto& [colour, count] : counts) best = std::max(best, contrast(colour, background));
  EXPECT_GE(best, 4.5);
  // Still grey, as disabled text is: not the black of enabled text.
  EXPECT_LT(best, contrast(frmAboutForm->Memo1->palette().color(QPalette::Active, QPalette::Text).rgb(), background));
}

// The box belongs to the main window: a dialog transient for it, with no button to minimise it
// alone (the main window would stay locked with no window to close), centred on it and the
// active window above it.
TEST_F(AboutBoxTest, TheBoxIsADialogOfTheMainWindow) {
  Start();
  Qt::WindowFlags flags;
  QWindow* transientParent = nullptr;
  QPoint centre;
  bool active = false, reachable = false;
  WhenShown([&] {
    flags = frmAboutForm->windowFlags();
    transientParent = frmAboutForm->windowHandle()->transientParent();
    centre = frmAboutForm->frameGeometry().center();
    active = QTest::qWaitFor([] { return QApplication::activeWindow() == frmAboutForm; }) &&
             QApplication::activeModalWidget() == frmAboutForm;
    // A desktop that lets it be minimised alone gets it back: the locked main window keeps a
    // window to answer.
    frmAboutForm->showMinimized();
    reachable = QTest::qWaitFor([] { return !frmAboutForm->isMinimized(); }) && frmAboutForm->isVisible();
    Click(frmAboutForm->ctrClose);
  });
  QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Dialog);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_EQ(transientParent, main->windowHandle());
  EXPECT_LE((centre - main->frameGeometry().center()).manhattanLength(), 4);  // odd sizes round
  EXPECT_TRUE(active);
  EXPECT_TRUE(reachable);
  EXPECT_EQ(frmAboutForm->ClientWidth(), 474);
  EXPECT_EQ(frmAboutForm->ClientHeight(), 273);
}
