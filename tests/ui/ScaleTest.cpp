#include <QScreen>

#include "UiTest.h"

// This program runs at a desktop scale of 2, set before its Qt application starts: the tests'
// 1280 x 1024 screen holds 640 x 512 of the program's pixels, less than the main window's size
// in its layout.
namespace {
const bool scaled = qputenv("QT_SCALE_FACTOR", "2");
}  // namespace

TEST_F(UiTest, AtAScaleOfTwoTheMainWindowStartsWithinTheScreen) {
  ASSERT_TRUE(scaled);
  ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0);
  WriteConfig();
  StartMainWindow();
  const QRect area = main->screen()->availableGeometry();
  ASSERT_LT(area.width(), 965);
  ASSERT_LT(area.height(), 571);
  EXPECT_TRUE(area.contains(main->frameGeometry()))
      << main->frameGeometry().x() << "," << main->frameGeometry().y() << " " << main->frameGeometry().width() << "x"
      << main->frameGeometry().height();
  EXPECT_EQ(main->Width(), main->width());
  // The client area follows: a data window fills what is there.
  TfrmDataForm* w = Open(WriteThreeSamples());
  ASSERT_NE(w, nullptr);
  EXPECT_LE(w->ctrPanel->mapTo(main, QPoint(0, w->ctrPanel->height())).y(), main->height());
}
