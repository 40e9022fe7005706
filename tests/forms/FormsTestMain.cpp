#include <gtest/gtest.h>

#include <QByteArray>

#include "platform/forms/Vcl.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  ApplicationHost host(argc, argv);
  Application->Initialize();
  // No dialog may wait for a person.
  AnswerDialogsForTesting(true);
  return RUN_ALL_TESTS();
}
