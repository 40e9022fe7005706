#pragma once

// Runs an automation call whose failure the program ignores, as it does on single cells:
// whatever it throws ends the call and nothing else.
template <class Call>
void SwallowFailure(Call call) {
  try {
    call();
  } catch (...) {
  }
}
