#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include "platform/forms/Vcl.h"
#include "support/TempProgramDir.h"

// Each test starts with a running application object and no forms; the forms it makes
// with the application as owner are freed at its end.
class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application->Initialize();
    ClearDialogSeams();
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
