#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QWindow>

#include "FormsTest.h"

TEST_F(FormsTest, SingleLineControlsShowTextsWithoutTrailingLineBreaks) {
  auto* form = NewForm<TForm>(Application);
  const AnsiString text = Cp("Келварн\r\n");
  const QString shown = QString::fromUtf8("Келварн");

  auto* button = new TButton(form);
  auto* label = new TLabel(form);
  auto* check = new TCheckBox(form);
  auto* group = new TGroupBox(form);
  auto* edit = new TEdit(form);
  std::vector<std::pair<TControl*, std::function<QString()>>> controls = {
      {button, [&] { return button->text(); }}, {label, [&] { return label->text(); }},
      {check, [&] { return check->text(); }},   {group, [&] { return group->title(); }},
      {form, [&] { return form->windowTitle(); }},
  };
  for (auto& [control, qtText] : controls) {
    control->SetCaption(text);
    EXPECT_EQ(qtText(), shown);
    EXPECT_EQ(control->Caption(), text);
  }
  edit->SetText(text);
  EXPECT_EQ(edit->text(), shown);
  EXPECT_EQ(edit->Text(), text);

  auto* item = new TMenuItem(form);
  item->SetCaption(Cp("&Файл\n"));
  EXPECT_EQ(item->text(), QString::fromUtf8("&Файл"));
  EXPECT_EQ(item->Caption(), Cp("&Файл\n"));

  auto* status = new TStatusBar(form);
  status->Panels->Add()->SetText(text);
  EXPECT_EQ(status->findChild<QLabel*>()->text(), shown);
  EXPECT_EQ(status->Panels->Items(0)->Text(), text);
  EXPECT_THROW(status->Panels->Items(1), Exception);

  auto* tabs = new TTabControl(form);
  tabs->Tabs->Add(text);
  EXPECT_EQ(tabs->tabText(0), shown);
  EXPECT_EQ(tabs->Tabs->Strings(0), text);

  // A path with Qt's modified-mark placeholder is shown as it is.
  form->SetCaption("/data/a[*].csv");
  form->Show();
  ASSERT_NE(form->windowHandle(), nullptr);
  EXPECT_EQ(form->windowHandle()->title(), "/data/a[*].csv");
}

TEST_F(FormsTest, MemoTextReadsBackExactly) {
  auto* form = NewForm<TForm>(Application);
  auto* memo = new TMemo(form);
  for (const char* text : {"", "one", "one\r\ntwo", "one\r\ntwo\r\n", "one\ntwo\n", "\r\n\r\n", "a\rb"}) {
    memo->SetText(Cp(text));
    EXPECT_EQ(memo->Text(), Cp(text));
  }
  memo->SetText("one\r\ntwo\r\n");
  EXPECT_EQ(memo->toPlainText(), "one\ntwo\n");
}

TEST_F(FormsTest, MemoLinesAddAsTheClassLibrarysMemoDoes) {
  auto* form = NewForm<TForm>(Application);
  auto* memo = new TMemo(form);
  memo->Lines->Add(Cp("Келварн"));
  memo->Lines->Add("2");
  EXPECT_EQ(memo->Text(), Cp("Келварн\r\n2\r\n"));
  EXPECT_EQ(memo->Lines->Count(), 2);
  EXPECT_EQ(memo->Lines->Strings(1), "2");
  EXPECT_THROW(memo->Lines->Strings(2), Exception);
  memo->SetText("x");
  memo->Lines->Add("y");
  EXPECT_EQ(memo->Text(), "x\r\ny");
  memo->Lines->Clear();
  EXPECT_EQ(memo->Text(), "");
  EXPECT_EQ(memo->Lines->Count(), 0);

  // The about box's round: read the text, cut its trailing line break as the split does,
  // put it back as one line. However often, no blank line grows at its end.
  memo->SetText(Cp("Келварн\r\nверсия 1\r\n"));
  for (int showing = 0; showing < 3; ++showing) {
    AnsiString text = memo->Text();
    text.erase(text.find_last_not_of("\r\n") + 1);
    memo->Lines->Clear();
    memo->Lines->Add(text);
    EXPECT_EQ(memo->Text(), Cp("Келварн\r\nверсия 1\r\n"));
  }
}

TEST_F(FormsTest, WhatTheUserTypesReadsBackInTheAnsiCodePage) {
  TForm* form = ShownForm();
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->setFocus();
  QTest::keyClicks(edit, "12");
  QKeyEvent cyrillic(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("ж"));
  QApplication::sendEvent(edit, &cyrillic);
  EXPECT_EQ(edit->Text(), Cp("12ж"));
  auto* memo = new TMemo(form);
  memo->SetParent(form);
  memo->setFocus();
  QTest::keyClicks(memo, "a");
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClicks(memo, "b");
  EXPECT_EQ(memo->Text(), "a\r\nb");
}
