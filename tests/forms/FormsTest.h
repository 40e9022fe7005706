#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <ostream>

#include "platform/forms/Vcl.h"
#include "support/TempProgramDir.h"

// Qt's texts in test messages, as the user reads them.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Each test starts with a running application object and no forms; the forms it makes
// with the application as owner are freed at its end.
class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application->Initialize();
    ClearDialogSeams();
    // A test that closed the main window left the application quitting, which ends every
    // modal loop at once; a loop of its own that ends takes that back.
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
  }
  void TearDown() override {
    Application->DestroyComponents();
    FinishEvents();
    ClearDialogSeams();
  }

  // Runs the events in hand, deferred deletions included.
  static void FinishEvents() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Makes the window the active one, so that the focus moves as the user sees it move.
  static void Activate(QWidget* window) {
    window->activateWindow();
    // Until the widgets know it too: a dialog counts as active a moment before.
    EXPECT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
  }

  // The widget that has the focus; keys the user presses go there.
  static QWidget* Focus() { return QApplication::focusWidget(); }
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    ASSERT_NE(Focus(), nullptr);
    QTest::keyClick(Focus(), key, modifiers);
  }
  // Types the text key by key; a letter outside ASCII comes as its key and its text, as a
  // Russian keyboard layout sends it.
  static void Type(const char* utf8) {
    ASSERT_NE(Focus(), nullptr);
    for (QChar c : QString::fromUtf8(utf8)) {
      if (c.unicode() < 0x80)
        QTest::keyClick(Focus(), c.toLatin1());
      else
        QTest::sendKeyEvent(QTest::Click, Focus(), Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
  }

  // A shown top-level window of the given client size.
  static TForm* ShownForm(int width = 400, int height = 300) {
    auto* form = NewForm<TForm>(Application);
    form->SetBounds(0, 0, width, height);
    form->Show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form));
    return form;
  }
};

// The texts of the message boxes answered so far, one per box.
inline std::vector<AnsiString> AnsweredTexts() {
  std::vector<AnsiString> texts;
  for (const auto& box : AnsweredMessageBoxes()) texts.push_back(box.text);
  return texts;
}
