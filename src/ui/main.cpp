#include "platform/System.h"
#include "platform/forms/Forms.h"
#include "ui/WinMain.h"

int main(int argc, char** argv) {
  // Qt takes its own options (-platform, ...) out of the arguments first.
  ApplicationHost host(argc, argv);
  SetCommandLine(argc, argv);
  return WinMain(nullptr, nullptr, nullptr, 1);
}
