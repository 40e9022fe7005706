#pragma once

#include <functional>

#include "platform/Exception.h"

// The message of the Exception that a call throws, or "no failure".
inline AnsiString FailureOf(const std::function<void()>& call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "no failure";
}
