#include <gtest/gtest.h>

#include <QByteArray>

#include "platform/forms/Vcl.h"

int main(int argc, char** argv) {
  // Qt's offscreen platform, on the tests' own screen also when started by hand.
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") qputenv("QT_QPA_PLATFORM", KELVARN_TEST_PLATFORM);
  ::testing::InitGoogleTest(&argc, argv);
  ApplicationHost host(argc, argv);
  Application->Initialize();
  // No dialog may wait for a person.
  AnswerDialogsForTesting(true);
  return RUN_ALL_TESTS();
}
